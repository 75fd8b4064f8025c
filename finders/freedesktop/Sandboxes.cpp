#include "Sandboxes.h"

#include "ChromiumFamilyFinder.h"
#include "ElectronAppFinder.h"
#include "FreedesktopBlocks.h"
#include "MozillaCacheFinder.h"
#include "ProgramCacheFinder.h"
#include "TelegramCacheFinder.h"
#include "finders/FinderBlocks.h"
#include "platform/fs/DirectoryEntries.h"
#include "platform/fs/Path.h"
#include "platform/places/DesktopEntry.h"
#include "platform/places/Layout.h"
#include "platform/places/SystemRoot.h"

#include <algorithm>

namespace sorvane::finder {

std::optional<Url> currentRevision(const Url& snapFolder) {
    const auto revision = Path::linkText(snapFolder.appending("current"));
    // snapd writes a bare revision ("2154", "x1"); anything with a path, a hidden name or the
    // shared folder would make the revision's folders someone else's.
    if (!revision || revision->empty() || revision->find('/') != std::string::npos ||
        isHiddenName(*revision) || *revision == "common" || *revision == "current") {
        return std::nullopt;
    }
    const auto folder = existing(snapFolder.appending(*revision));
    return folder && folder->isFolder() ? folder : std::nullopt;
}

std::vector<Sandbox> sandboxes() {
    std::vector<Sandbox> found;
    const FreedesktopFolders folders = Layout::freedesktopFolders();
    if (!folders.usable()) {
        return found;
    }
    for (const Url& app : profiles(folders.home.appending(".var/app", true))) {
        found.push_back({app.lastPathComponent(),
                         false,
                         {app.appending("config", true)},
                         {app.appending("cache", true)}});
    }
    for (const Url& snap : profiles(folders.home.appending("snap", true))) {
        Sandbox sandbox{
            snap.lastPathComponent(), true, {}, {snap.appending("common/.cache", true)}};
        if (const auto revision = currentRevision(snap)) {
            sandbox.configFolders.push_back(revision->appending(".config", true));
            sandbox.cacheFolders.push_back(revision->appending(".cache", true));
        }
        found.push_back(std::move(sandbox));
    }
    return found;
}

QString displayName(const Sandbox& sandbox) {
    std::vector<std::string> entries;
    if (sandbox.snap) {
        // snapd names an application's entry <snap>_<app>.desktop; the one named after the Snap
        // is its main application.
        const std::string folder = SystemRoot::resolve("/var/lib/snapd/desktop/applications");
        entries.push_back(folder + "/" + sandbox.id + "_" + sandbox.id + ".desktop");
        for (const Url& entry : listing(Url::folder(folder))) {
            const std::string name = entry.lastPathComponent();
            if (name.starts_with(sandbox.id + "_") && name.ends_with(".desktop")) {
                entries.push_back(entry.path());
            }
        }
    } else {
        const std::string file = "flatpak/exports/share/applications/" + sandbox.id + ".desktop";
        if (const auto user = locate({Base::data, file})) {
            entries.push_back(user->path());
        }
        entries.push_back(SystemRoot::resolve("/var/lib/" + file));
    }
    for (const std::string& entry : entries) {
        if (auto name = DesktopEntry::name(entry)) {
            return *name;
        }
    }
    return QString::fromStdString(sandbox.id);
}

std::vector<Url> programRoots() {
    std::vector<Place> places = ChromiumFamilyFinder::roots();
    for (const auto& more :
         {ElectronAppFinder::roots(), MozillaCacheFinder::roots(), ProgramCacheFinder::roots()}) {
        places.insert(places.end(), more.begin(), more.end());
    }
    std::vector<Url> roots = locateAll(places);
    const std::vector<Url> telegram = TelegramCacheFinder::roots();
    roots.insert(roots.end(), telegram.begin(), telegram.end());
    return roots;
}

bool touchesAny(const Url& location, const std::vector<Url>& roots) {
    return std::any_of(roots.begin(), roots.end(), [&](const Url& root) {
        return holds(root, location) || holds(location, root);
    });
}

} // namespace sorvane::finder
