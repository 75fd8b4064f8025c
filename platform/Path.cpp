#include "Path.h"

#include "Directory.h"
#include "DirectoryEntries.h"

#include <algorithm>
#include <array>
#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>

namespace sorvane {

namespace {

constexpr std::array packageExtensions{"app",       "appex",  "xpc",  "bundle",
                                       "framework", "plugin", "kext", "xcarchive"};

bool equalsIgnoringAsciiCase(std::string_view a, std::string_view b) {
    return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
        const auto lower = [](char c) { return (c >= 'A' && c <= 'Z') ? char(c - 'A' + 'a') : c; };
        return lower(x) == lower(y);
    });
}

struct NamedEntry {
    std::string name;
    bool isFolder = false;
};

// The non-hidden entries of an open folder in byte order of their names; folder-ness is that of
// the entry itself, links not followed.
std::vector<NamedEntry> visibleEntries(int folder) {
    std::vector<NamedEntry> found;
    forEachEntry(folder, [&](std::string_view name, unsigned char type) {
        if (isHiddenName(name)) {
            return true;
        }
        bool isFolder = type == DT_DIR;
        if (type == DT_UNKNOWN) {
            struct stat info {};
            isFolder = fstatat(folder, name.data(), &info, AT_SYMLINK_NOFOLLOW) == 0 &&
                       S_ISDIR(info.st_mode);
        }
        found.push_back({std::string(name), isFolder});
        return true;
    });
    std::sort(found.begin(), found.end(),
              [](const NamedEntry& a, const NamedEntry& b) { return a.name < b.name; });
    return found;
}

int openFolder(const std::string& path) {
    return open(path.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
}

} // namespace

PathType Path::pathType(const std::string& path) {
    struct stat info {};
    if (path.empty() || stat(path.c_str(), &info) != 0) {
        return PathType::invalid;
    }
    return S_ISDIR(info.st_mode) ? PathType::directory : PathType::file;
}

std::uint64_t Path::fileSize(const Url& url) {
    struct stat info {};
    if (url.isEmpty() || lstat(url.path().c_str(), &info) != 0) {
        return 0;
    }
    return static_cast<std::uint64_t>(info.st_size);
}

std::uint64_t Path::size(const Url& url) {
    struct stat info {};
    if (url.isEmpty() || lstat(url.path().c_str(), &info) != 0) {
        return 0;
    }
    if (S_ISDIR(info.st_mode)) {
        return directorySize(url);
    }
    return static_cast<std::uint64_t>(info.st_size);
}

std::vector<Url> Path::contents(const Url& folder, bool directories) {
    const int descriptor = openFolder(folder.path());
    if (descriptor < 0) {
        std::printf("%s: %s\n", folder.path().c_str(), std::strerror(errno)); // NOLINT
        std::fflush(stdout);
        return {};
    }
    const auto children = visibleEntries(descriptor);
    close(descriptor);

    std::vector<Url> kept;
    for (const auto& child : children) {
        const Url entry = folder.appending(child.name, child.isFolder);
        std::string path = entry.path();
        struct stat info {};
        if (lstat(path.c_str(), &info) == 0 && S_ISLNK(info.st_mode)) {
            // A link stands for its target; a dangling one stays as it is and is no folder.
            if (char* resolved = realpath(path.c_str(), nullptr)) {
                path = resolved;
                std::free(resolved); // NOLINT(cppcoreguidelines-no-malloc)
            }
        }
        const bool isFolder = isDirectory(path);
        if (isFolder == directories) {
            kept.emplace_back(path, isFolder);
        }
    }
    return kept;
}

std::vector<Url> Path::entries(const Url& folder, bool descend) {
    std::vector<Url> found;
    const int root = openFolder(folder.path());
    if (root < 0) {
        return found;
    }
    // Each level's entries are read whole and its descriptor closed at once, so the walk holds
    // one descriptor however deep the tree; a folder that cannot be opened yields nothing.
    struct Level {
        Url folder;
        std::vector<NamedEntry> entries;
        std::size_t next = 0;
    };
    std::vector<Level> levels;
    levels.push_back({Url::folder(folder.path()), visibleEntries(root), 0});
    close(root);
    while (!levels.empty()) {
        Level& level = levels.back();
        if (level.next == level.entries.size()) {
            levels.pop_back();
            continue;
        }
        const NamedEntry& entry = level.entries[level.next++];
        const Url url = level.folder.appending(entry.name, entry.isFolder);
        found.push_back(url);
        if (!descend || !entry.isFolder || isPackage(url)) {
            continue;
        }
        const int child = open(url.path().c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
        if (child >= 0) {
            auto childEntries = visibleEntries(child);
            close(child);
            levels.push_back({url, std::move(childEntries), 0});
        }
    }
    return found;
}

std::vector<Url> Path::files(const Url& folder) {
    std::vector<Url> found = entries(folder, true);
    std::erase_if(found, [](const Url& url) { return url.isFolder() && !isPackage(url); });
    return found;
}

std::vector<Url> Path::files(const Url& folder, const std::string& suffix) {
    std::vector<Url> found = files(folder);
    std::erase_if(found,
                  [&](const Url& url) { return !url.lastPathComponent().ends_with(suffix); });
    return found;
}

Url Path::appending(const Url& url, const std::vector<std::string>& components) {
    return url.appendingFolders(components);
}

bool Path::exists(const Url& url) {
    return pathType(url.path()) != PathType::invalid;
}

bool Path::isDirectory(const std::string& path) {
    return pathType(path) == PathType::directory;
}

bool Path::isPackage(const Url& url) {
    const std::string extension = url.pathExtension();
    return std::any_of(packageExtensions.begin(), packageExtensions.end(), [&](const char* known) {
        return equalsIgnoringAsciiCase(extension, known);
    });
}

Image Path::icon(const std::string& path) {
    return makeImage(Icon::Kind::fileIcon, path);
}

std::vector<Url> Path::containers(bool excludingSystem) {
    std::vector<Url> found = contents(url(Directory::containers), true);
    if (excludingSystem) {
        std::erase_if(found, [](const Url& url) {
            return url.lastPathComponent().starts_with("com.apple.");
        });
    }
    return found;
}

bool Path::isDeletable(const std::string& path) {
    struct stat item {};
    if (path.empty() || path == "/" || lstat(path.c_str(), &item) != 0) {
        return false;
    }
    const std::string parent = Url(path).deletingLastPathComponent().path();
    if (access(parent.c_str(), W_OK | X_OK) != 0) {
        return false;
    }
    struct stat folder {};
    if (stat(parent.c_str(), &folder) != 0) {
        return false;
    }
    // In a sticky folder only the owner of the item or of the folder may remove it.
    const uid_t user = geteuid();
    return (folder.st_mode & S_ISVTX) == 0 || user == 0 || item.st_uid == user ||
           folder.st_uid == user;
}

} // namespace sorvane
