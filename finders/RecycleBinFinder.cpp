#include "RecycleBinFinder.h"

#include "FinderBlocks.h"
#include "platform/icons/Images.h"
#include "platform/places/Directory.h"

namespace sorvane {

using namespace finder;

RecycleBinFinder::RecycleBinFinder()
    : CategoryFinder("RECYCLE_BIN", Images::stock("user-trash-full"), std::nullopt) {}

void RecycleBinFinder::search() {
    appendListing(found(), url(Directory::trash));
}

} // namespace sorvane
