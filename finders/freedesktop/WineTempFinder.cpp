#include "WineTempFinder.h"

#include "FreedesktopBlocks.h"
#include "finders/FinderBlocks.h"
#include "platform/fs/Path.h"
#include "platform/icons/Images.h"

namespace sorvane {

using namespace finder;

namespace {

// The temporary folders of a prefix: the system's and each Windows user's, by the names
// older and newer Wine versions give them.
std::vector<Url> temporaryFolders(const Url& prefix) {
    const Url drive = prefix.appending("drive_c", true);
    std::vector<Url> folders = existingChildren(drive, {"windows/temp"});
    for (const Url& user : profiles(drive.appending("users", true))) {
        for (const Url& temp : existingChildren(user, {"Temp", "AppData/Local/Temp"})) {
            folders.push_back(temp);
        }
    }
    std::erase_if(folders, [](const Url& folder) { return !folder.isFolder(); });
    return folders;
}

} // namespace

WineTempFinder::WineTempFinder()
    : CategoryFinder("WINE_TEMP", desktopApplicationIcon({"wine", "org.winehq.Wine"}),
                     std::nullopt) {}

void WineTempFinder::search() {
    std::vector<Url> prefixes = locateAll({{Base::home, ".wine"}});
    if (const auto more = locate({Base::data, "wineprefixes"})) {
        for (const Url& prefix : profiles(*more)) {
            prefixes.push_back(prefix);
        }
    }
    for (const Url& prefix : prefixes) {
        // The folders stay, as programs expect them; what they hold goes.
        auto group = groupNamedAfter(prefix, Images::stock("folder"));
        for (const Url& folder : temporaryFolders(prefix)) {
            for (const FolderEntry& entry : Path::everyEntry(folder)) {
                group->addSuburl(entry.url);
            }
        }
        appendGroup(found(), group);
    }
}

} // namespace sorvane
