#include "AppleMapsFinder.h"

#include "FinderBlocks.h"
#include "platform/places/Directory.h"

namespace sorvane {

using namespace finder;

AppleMapsFinder::AppleMapsFinder()
    : CategoryFinder("MAPS_CACHE", applicationIcon("Maps"), QStringLiteral("com.apple.Maps")) {}

void AppleMapsFinder::search() {
    appendListing(found(), url(Directory::appleMapsCache));
    appendIfPresent(found(), url(Directory::caches).appending("com.apple.Maps.Suggestions"),
                    "SUGGESTIONS");
}

} // namespace sorvane
