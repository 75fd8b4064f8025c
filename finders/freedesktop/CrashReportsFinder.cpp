#include "CrashReportsFinder.h"

#include "FreedesktopBlocks.h"
#include "finders/FinderBlocks.h"
#include "platform/fs/Path.h"
#include "platform/icons/Images.h"
#include "platform/places/Layout.h"
#include "platform/places/SystemRoot.h"

#include <unistd.h>

namespace sorvane {

using namespace finder;

CrashReportsFinder::CrashReportsFinder()
    : CategoryFinder("CRASH_REPORTS", Images::stock("dialog-warning"), std::nullopt) {}

void CrashReportsFinder::search() {
    if (!Layout::freedesktopFolders().usable()) {
        return;
    }
    // Reports of other users' programs are theirs to keep, whoever may delete them.
    const uid_t user = getuid();
    for (const FolderEntry& entry :
         Path::everyEntry(Url::folder(SystemRoot::resolve("/var/crash")))) {
        if (entry.type != ItemType::regularFile ||
            !entry.url.lastPathComponent().ends_with(".crash")) {
            continue;
        }
        const auto status = Path::itemStatus(entry.url);
        if (status && status->type == ItemType::regularFile && status->owner == user) {
            found().add(plainItem(entry.url));
        }
    }
}

} // namespace sorvane
