#include "FaceTimeFinder.h"

#include "FinderBlocks.h"
#include "platform/places/Directory.h"

namespace sorvane {

using namespace finder;

FaceTimeFinder::FaceTimeFinder()
    : CategoryFinder("FACETIME_CACHE", applicationIcon("FaceTime"),
                     QStringLiteral("com.apple.FaceTime")) {}

void FaceTimeFinder::search() {
    appendListing(found(), url(Directory::containers).appending("com.apple.FaceTime", true));
}

} // namespace sorvane
