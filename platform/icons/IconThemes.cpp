#include "IconThemes.h"

#include "platform/fs/Path.h"
#include "platform/places/Layout.h"
#include "platform/places/SystemRoot.h"

#include <array>
#include <cstdlib>
#include <string_view>

namespace sorvane {

namespace {

constexpr std::array imageExtensions{".png", ".svg", ".xpm"};

std::vector<std::string> systemDataFolders() {
    const char* value = std::getenv("XDG_DATA_DIRS"); // NOLINT(concurrency-mt-unsafe)
    std::string list = value != nullptr && *value != '\0' ? value : "/usr/local/share:/usr/share";
    std::vector<std::string> folders;
    std::size_t start = 0;
    while (start <= list.size()) {
        const std::size_t end = std::min(list.find(':', start), list.size());
        const std::string folder = list.substr(start, end - start);
        if (folder.starts_with("/")) {
            folders.push_back(folder);
        }
        start = end + 1;
    }
    return folders;
}

void addImageNames(const Url& folder, std::set<std::string>& names) {
    for (const FolderEntry& entry : Path::everyEntry(folder)) {
        // A link in a theme usually names another size of the same icon: it counts as present.
        if (entry.type != ItemType::regularFile && entry.type != ItemType::link) {
            continue;
        }
        const std::string file = entry.url.lastPathComponent();
        for (const std::string_view extension : imageExtensions) {
            if (file.size() > extension.size() && file.ends_with(extension)) {
                names.insert(file.substr(0, file.size() - extension.size()));
            }
        }
    }
}

bool isFolder(const FolderEntry& entry) {
    return entry.type == ItemType::folder && !entry.url.lastPathComponent().starts_with(".");
}

} // namespace

std::vector<std::string> IconThemes::iconFolders() {
    std::vector<std::string> folders;
    const FreedesktopFolders home = Layout::freedesktopFolders();
    if (home.usable()) {
        folders.push_back(home.home.appending(".icons").path());
        folders.push_back(home.data.appending("icons").path());
        folders.push_back(home.data.appending("flatpak/exports/share/icons").path());
    }
    for (const std::string& data : systemDataFolders()) {
        folders.push_back(SystemRoot::resolve(data + "/icons"));
    }
    folders.push_back(SystemRoot::resolve("/var/lib/flatpak/exports/share/icons"));
    folders.push_back(SystemRoot::resolve("/var/lib/snapd/desktop/icons"));
    folders.push_back(SystemRoot::resolve("/usr/share/pixmaps"));
    return folders;
}

std::set<std::string> IconThemes::applicationIconNames() {
    std::set<std::string> names;
    for (const std::string& base : iconFolders()) {
        const Url folder = Url::folder(base);
        // Loose images directly in a folder (the pixmaps folder, the Snap exports).
        addImageNames(folder, names);
        for (const FolderEntry& theme : Path::everyEntry(folder)) {
            if (!isFolder(theme)) {
                continue;
            }
            for (const FolderEntry& size : Path::everyEntry(theme.url)) {
                if (isFolder(size)) {
                    addImageNames(size.url.appending("apps", true), names);
                }
            }
        }
    }
    return names;
}

} // namespace sorvane
