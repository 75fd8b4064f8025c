#include "ChromeFinder.h"

#include "FinderBlocks.h"
#include "platform/fs/Path.h"
#include "platform/places/Directory.h"

namespace sorvane {

using namespace finder;

ChromeFinder::ChromeFinder()
    : CategoryFinder("CHROME_BROWSER", applicationIcon("Google Chrome"),
                     QStringLiteral("com.google.Chrome"))
    , filesAndDirectories_{QStringLiteral("Cache"), QStringLiteral("Code Cache"),
                           QStringLiteral("Storage")} {}

void ChromeFinder::search() {
    // A match does not stop the walk: a cache inside a matching folder is an item of its own.
    for (const Url& entry :
         deepWalk(Path::appending(url(Directory::caches), {"Google", "Chrome"}))) {
        if (filesAndDirectories_.contains(QString::fromStdString(entry.lastPathComponent()))) {
            found().add(plainItem(entry));
        }
    }
}

} // namespace sorvane
