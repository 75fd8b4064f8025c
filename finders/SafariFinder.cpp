#include "SafariFinder.h"

#include "FinderBlocks.h"
#include "platform/places/Directory.h"

namespace sorvane {

using namespace finder;

SafariFinder::SafariFinder()
    : CategoryFinder("SAFARI", applicationIcon("Safari"), QStringLiteral("com.apple.Safari")) {}

void SafariFinder::search() {
    appendListing(found(), url(Directory::safariCache));
}

} // namespace sorvane
