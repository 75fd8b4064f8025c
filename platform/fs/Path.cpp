#include "Path.h"

#include "Anchor.h"
#include "DirectoryEntries.h"
#include "FsLog.h"
#include "TreeWalk.h"
#include "platform/places/Directory.h"

#include <algorithm>
#include <array>
#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <optional>
#include <set>
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

ItemType itemTypeOf(unsigned char type) {
    switch (type) {
    case DT_DIR:
        return ItemType::folder;
    case DT_LNK:
        return ItemType::link;
    case DT_REG:
        return ItemType::regularFile;
    default:
        return ItemType::other;
    }
}

// Hands each entry of a walk in listing order to a function, with its whole url.
class EntryVisitor : public TreeVisitor {
public:
    EntryVisitor(const Url& root, const std::function<WalkStep(const FolderEntry&)>& visit)
        : visit_(visit) {
        folders_.push_back(Url::folder(root.path()));
    }

    WalkStep visit(DescriptorStack& /*stack*/, const char* name, unsigned char type) override {
        const ItemType kind = itemTypeOf(type);
        FolderEntry entry{folders_.back().appending(name, kind == ItemType::folder), kind};
        const WalkStep step = visit_(entry);
        if (step != WalkStep::enter) {
            return step;
        }
        if (kind != ItemType::folder) {
            return WalkStep::skip;
        }
        entering_ = std::move(entry.url);
        return WalkStep::enter;
    }
    WalkStep opened(DescriptorStack& /*stack*/) override {
        folders_.push_back(std::move(entering_));
        return WalkStep::enter;
    }
    void left(DescriptorStack& /*stack*/, const std::string& /*name*/) override {
        folders_.pop_back();
    }

private:
    const std::function<WalkStep(const FolderEntry&)>& visit_;
    std::vector<Url> folders_;
    Url entering_;
};

constexpr int listingFlags = O_RDONLY | O_DIRECTORY;

// The walk of Path::walk(); 0, or the errno value that opening the folder failed with.
int walkInListingOrder(const Url& folder,
                       const std::function<WalkStep(const FolderEntry&)>& visit) {
    FileDescriptor root = Anchor::open(folder, listingFlags);
    if (!root.isOpen()) {
        return root.error();
    }
    EntryVisitor visitor(folder, visit);
    TreeWalk(TreeWalk::Order::listing).run(root.release(), visitor);
    return 0;
}

// What lies at a location, the location itself when it is a link; an anchor is looked at
// through links, as it is reached.
// The error (an errno value) says why nothing could be looked at.
std::optional<struct stat> status(const Url& url, int* error = nullptr) {
    struct stat info {};
    const auto failed = [&](int why) -> std::optional<struct stat> {
        if (error != nullptr) {
            *error = why;
        }
        return std::nullopt;
    };
    if (url.isEmpty()) {
        return failed(EINVAL);
    }
    if (Anchor::of(url.path()) == url.path()) {
        const FileDescriptor anchor = Anchor::open(url, O_PATH);
        if (!anchor.isOpen()) {
            return failed(anchor.error());
        }
        if (fstat(anchor.get(), &info) != 0) {
            return failed(errno);
        }
        return info;
    }
    const Anchor::Parent parent = Anchor::openParent(url);
    if (!parent.folder.isOpen()) {
        return failed(parent.folder.error());
    }
    if (fstatat(parent.folder.get(), parent.name.c_str(), &info, AT_SYMLINK_NOFOLLOW) != 0) {
        return failed(errno);
    }
    return info;
}

// The target of a link inside an open folder as a path relative to that folder, when it lies
// inside it; nothing for a link that leads anywhere else.
std::optional<std::string> targetInside(int folder, const Url& folderUrl, const std::string& name) {
    std::array<char, PATH_MAX> buffer{};
    const ssize_t length = readlinkat(folder, name.c_str(), buffer.data(), buffer.size());
    if (length <= 0 || static_cast<std::size_t>(length) >= buffer.size()) {
        return std::nullopt;
    }
    std::string target(buffer.data(), static_cast<std::size_t>(length));
    if (target.starts_with("/")) {
        const std::string prefix = folderUrl.path() + "/";
        if (!target.starts_with(prefix)) {
            return std::nullopt;
        }
        target.erase(0, prefix.size());
    }
    target = Url(target).path().substr(1); // one "/" between components, none at the end
    if (target.empty()) {
        return std::nullopt;
    }
    return target;
}

} // namespace

PathType Path::pathType(const std::string& path) {
    const auto info = status(Url(path));
    if (!info) {
        return PathType::invalid;
    }
    return S_ISDIR(info->st_mode) ? PathType::directory : PathType::file;
}

std::uint64_t Path::fileSize(const Url& url) {
    const auto info = status(url);
    return info ? static_cast<std::uint64_t>(info->st_size) : 0;
}

MeasuredSize Path::size(const Url& url) {
    int error = 0;
    const auto info = status(url, &error);
    if (!info) {
        return {0, error == ENOENT};
    }
    if (S_ISDIR(info->st_mode)) {
        return directorySize(url);
    }
    return {static_cast<std::uint64_t>(info->st_size), true};
}

std::vector<Url> Path::contents(const Url& folder, bool directories) {
    std::vector<FolderEntry> children;
    const int error = walkInListingOrder(folder, [&](const FolderEntry& entry) {
        if (!isHiddenName(entry.url.lastPathComponent())) {
            children.push_back(entry);
        }
        return WalkStep::skip;
    });
    if (error != 0) {
        qCInfo(fsLog).noquote() << QString::fromStdString(folder.path()) + QStringLiteral(": ") +
                                       QString::fromLocal8Bit(std::strerror(error));
        return {};
    }
    FileDescriptor descriptor;
    std::vector<Url> kept;
    // A link to a sibling names it a second time; each location is returned once.
    std::set<std::string> seen;
    for (const auto& child : children) {
        Url entry = child.url;
        if (child.type == ItemType::link) {
            // A link stands for its target only while that lies in this very folder; a link
            // that leads elsewhere, or nowhere, stands for nothing.
            if (!descriptor.isOpen()) {
                descriptor = Anchor::open(folder, listingFlags);
            }
            const std::string name = child.url.lastPathComponent();
            auto target = targetInside(descriptor.get(), folder, name);
            if (!target) {
                continue;
            }
            const FileDescriptor resolved = Anchor::openBeneath(descriptor.get(), *target, O_PATH);
            struct stat info {};
            if (!resolved.isOpen() || fstat(resolved.get(), &info) != 0) {
                continue;
            }
            entry = folder.appending(*target, S_ISDIR(info.st_mode));
        }
        if (entry.isFolder() == directories && seen.insert(entry.path()).second) {
            kept.push_back(std::move(entry));
        }
    }
    return kept;
}

std::vector<Url> Path::entries(const Url& folder, bool descend) {
    std::vector<Url> found;
    walkInListingOrder(folder, [&](const FolderEntry& entry) {
        if (isHiddenName(entry.url.lastPathComponent())) {
            return WalkStep::skip;
        }
        found.push_back(entry.url);
        return descend && entry.type == ItemType::folder && !isPackage(entry.url) ? WalkStep::enter
                                                                                  : WalkStep::skip;
    });
    return found;
}

void Path::walk(const Url& folder, const std::function<WalkStep(const FolderEntry&)>& visit) {
    walkInListingOrder(folder, visit);
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
    if (path.empty() || path == "/") {
        return false;
    }
    const Url location(path);
    const Anchor::Parent parent = Anchor::openParent(location);
    struct stat item {};
    struct stat folder {};
    if (!parent.folder.isOpen() ||
        fstatat(parent.folder.get(), parent.name.c_str(), &item, AT_SYMLINK_NOFOLLOW) != 0 ||
        faccessat(parent.folder.get(), ".", W_OK | X_OK, 0) != 0 ||
        fstat(parent.folder.get(), &folder) != 0) {
        return false;
    }
    // In a sticky folder only the owner of the item or of the folder may remove it.
    const uid_t user = geteuid();
    return (folder.st_mode & S_ISVTX) == 0 || user == 0 || item.st_uid == user ||
           folder.st_uid == user;
}

bool Path::isGone(const Url& url) {
    int error = 0;
    return !status(url, &error) && error == ENOENT;
}

std::optional<ItemStatus> Path::itemStatus(const Url& url) {
    const auto info = status(url);
    if (!info) {
        return std::nullopt;
    }
    const ItemType type = S_ISDIR(info->st_mode)   ? ItemType::folder
                          : S_ISLNK(info->st_mode) ? ItemType::link
                          : S_ISREG(info->st_mode) ? ItemType::regularFile
                                                   : ItemType::other;
    return ItemStatus{type, static_cast<std::uint32_t>(info->st_uid)};
}

std::optional<std::string> Path::linkText(const Url& url) {
    const Anchor::Parent parent = Anchor::openParent(url);
    if (!parent.folder.isOpen()) {
        return std::nullopt;
    }
    std::array<char, PATH_MAX> text{};
    const ssize_t length =
        readlinkat(parent.folder.get(), parent.name.c_str(), text.data(), text.size());
    // A text that fills the buffer may have been cut short.
    if (length < 0 || static_cast<std::size_t>(length) >= text.size()) {
        return std::nullopt;
    }
    return std::string(text.data(), static_cast<std::size_t>(length));
}

std::vector<FolderEntry> Path::everyEntry(const Url& folder) {
    std::vector<FolderEntry> found;
    walkInListingOrder(folder, [&](const FolderEntry& entry) {
        found.push_back(entry);
        return WalkStep::skip;
    });
    return found;
}

bool Path::isLink(const std::string& path) {
    struct stat info {};
    return lstat(path.c_str(), &info) == 0 && S_ISLNK(info.st_mode);
}

std::string Path::workingFolder() {
    std::array<char, PATH_MAX> buffer{};
    return getcwd(buffer.data(), buffer.size()) != nullptr ? std::string(buffer.data())
                                                           : std::string();
}

std::string Path::absolute(const std::string& path) {
    std::string absolute = path;
    if (!path.starts_with('/')) {
        const std::string working = workingFolder();
        if (working.empty()) {
            return path;
        }
        absolute = working + "/" + path;
    }
    absolute = std::filesystem::path(absolute).lexically_normal().string();
    while (absolute.size() > 1 && absolute.back() == '/') {
        absolute.pop_back();
    }
    return absolute;
}

} // namespace sorvane
