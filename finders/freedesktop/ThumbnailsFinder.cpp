#include "ThumbnailsFinder.h"

#include "FreedesktopBlocks.h"
#include "finders/FinderBlocks.h"
#include "platform/icons/Images.h"

namespace sorvane {

using namespace finder;

ThumbnailsFinder::ThumbnailsFinder()
    : CategoryFinder("THUMBNAILS", Images::stock("image-x-generic"), std::nullopt) {}

void ThumbnailsFinder::search() {
    if (const auto thumbnails = locate({Base::cache, "thumbnails"})) {
        appendListing(found(), *thumbnails);
    }
}

} // namespace sorvane
