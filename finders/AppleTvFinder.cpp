#include "AppleTvFinder.h"

#include "FinderBlocks.h"
#include "platform/places/Directory.h"

namespace sorvane {

using namespace finder;

AppleTvFinder::AppleTvFinder()
    : CategoryFinder("APPLE_TV_FINDER", applicationIcon("TV"), QStringLiteral("com.apple.TV")) {}

void AppleTvFinder::search() {
    appendListing(found(), url(Directory::caches).appending("com.apple.TV", true));
}

} // namespace sorvane
