#include "BraveFinder.h"

#include "FinderBlocks.h"
#include "platform/fs/Path.h"
#include "platform/places/Directory.h"

namespace sorvane {

using namespace finder;

BraveFinder::BraveFinder()
    : CategoryFinder("BRAVE_BROWSER", applicationIcon("Brave"),
                     QStringLiteral("com.brave.Browser")) {}

void BraveFinder::search() {
    appendIfFolder(found(), Path::appending(url(Directory::caches), {"BraveBrowser"}));
}

} // namespace sorvane
