#include "ThunderbirdFinder.h"

#include "FinderBlocks.h"
#include "platform/fs/Path.h"
#include "platform/places/Directory.h"

namespace sorvane {

using namespace finder;

ThunderbirdFinder::ThunderbirdFinder()
    : CategoryFinder("THUNDERBIRD", applicationIcon("Thunderbird"),
                     QStringLiteral("org.mozilla.thunderbird")) {}

void ThunderbirdFinder::search() {
    appendIfFolder(found(), Path::appending(url(Directory::caches), {"Thunderbird"}));
}

} // namespace sorvane
