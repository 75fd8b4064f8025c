#include "Anchor.h"

#include "DescriptorLimit.h"

#include "platform/places/Directory.h"
#include "platform/places/SystemRoot.h"

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <fcntl.h>
#include <linux/openat2.h>
#include <mutex>
#include <sys/stat.h>
#include <sys/syscall.h>

namespace sorvane {

namespace {

struct BaseFolders {
    std::mutex mutex;
    std::vector<std::string> folders;
    std::optional<std::string> home;
};

BaseFolders& baseFolders() {
    static BaseFolders instance;
    return instance;
}

std::atomic<bool> kernelResolverAllowed = true;
// Set once the kernel has said that it has no openat2.
std::atomic<bool> kernelResolverMissing = false;

std::vector<std::string> anchorFolders() {
    std::vector<std::string> all{
        Url(SystemRoot::resolve("/Applications")).path(),
        Url(SystemRoot::resolve("/System/Applications")).path(),
        Url(SystemRoot::resolve("/Volumes")).path(),
    };
    const std::lock_guard lock(baseFolders().mutex);
    all.push_back(Url(baseFolders().home.value_or(homeFolderPath())).path());
    for (const auto& folder : baseFolders().folders) {
        all.push_back(Url(folder).path());
    }
    return all;
}

bool holds(const std::string& folder, const std::string& path) {
    if (folder == "/") {
        return true;
    }
    return path.starts_with(folder) && (path.size() == folder.size() || path[folder.size()] == '/');
}

// The opened thing must not be a link: O_PATH with O_NOFOLLOW would hand out the link itself.
FileDescriptor refusingLinks(FileDescriptor opened, int flags) {
    if (!opened.isOpen() || (flags & O_PATH) == 0) {
        return opened;
    }
    struct stat info {};
    if (fstat(opened.get(), &info) != 0) {
        return FileDescriptor(-1, errno);
    }
    if (S_ISLNK(info.st_mode)) {
        return FileDescriptor(-1, ELOOP);
    }
    return opened;
}

FileDescriptor openWithKernelResolver(int folder, const std::string& relative, int flags) {
    open_how how{};
    how.flags = static_cast<std::uint64_t>((flags & ~O_NOFOLLOW) | O_CLOEXEC);
    how.resolve = RESOLVE_NO_SYMLINKS | RESOLVE_NO_MAGICLINKS | RESOLVE_BENEATH;
    const long descriptor = syscall(SYS_openat2, folder, relative.c_str(), &how, sizeof how);
    return FileDescriptor::adopt(static_cast<int>(descriptor));
}

FileDescriptor openComponentByComponent(int folder, const std::string& relative, int flags) {
    FileDescriptor current;
    int at = folder;
    std::size_t start = 0;
    for (;;) {
        const std::size_t slash = relative.find('/', start);
        const std::string component = relative.substr(start, slash - start);
        if (slash == std::string::npos) {
            return FileDescriptor::adopt(
                openat(at, component.c_str(), flags | O_NOFOLLOW | O_CLOEXEC));
        }
        FileDescriptor next = FileDescriptor::adopt(
            openat(at, component.c_str(), O_PATH | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC));
        if (!next.isOpen()) {
            // A link opened with O_PATH and O_DIRECTORY reads as "not a folder"; say what it is.
            struct stat info {};
            const int error = next.error();
            const bool isLink = fstatat(at, component.c_str(), &info, AT_SYMLINK_NOFOLLOW) == 0 &&
                                S_ISLNK(info.st_mode);
            return FileDescriptor(-1, isLink ? ELOOP : error);
        }
        current = std::move(next);
        at = current.get();
        start = slash + 1;
    }
}

} // namespace

void Anchor::setBaseFolders(std::vector<std::string> folders) {
    const std::lock_guard lock(baseFolders().mutex);
    baseFolders().folders = std::move(folders);
}

void Anchor::setHomeFolder(std::optional<std::string> folder) {
    const std::lock_guard lock(baseFolders().mutex);
    baseFolders().home = std::move(folder);
}

std::string Anchor::of(const std::string& path) {
    std::string deepest = "/";
    for (const auto& folder : anchorFolders()) {
        if (holds(folder, path) && folder.size() > deepest.size()) {
            deepest = folder;
        }
    }
    return deepest;
}

FileDescriptor Anchor::openBeneath(int folder, const std::string& relative, int flags) {
    if (relative.empty()) {
        return FileDescriptor::adopt(openat(folder, ".", flags | O_CLOEXEC));
    }
    if (relative.front() == '/' || relative.back() == '/' || Anchor::hasDotComponent(relative) ||
        relative.find("//") != std::string::npos) {
        return FileDescriptor(-1, EINVAL);
    }
    if (kernelResolverAllowed.load() && !kernelResolverMissing.load()) {
        FileDescriptor opened = openWithKernelResolver(folder, relative, flags);
        // A path longer than the kernel takes at once is still reachable one component at a
        // time; only a missing resolver is remembered.
        if (opened.isOpen() || (opened.error() != ENOSYS && opened.error() != ENAMETOOLONG)) {
            return refusingLinks(std::move(opened), flags);
        }
        if (opened.error() == ENOSYS) {
            kernelResolverMissing.store(true);
        }
    }
    return refusingLinks(openComponentByComponent(folder, relative, flags), flags);
}

FileDescriptor Anchor::open(const Url& location, int flags) {
    // Short of descriptors, an open waits for the walks that hold them rather than report
    // the location as unreadable.
    FileDescriptor opened;
    DescriptorLimit::openPatiently(
        [&] {
            opened = openOnce(location, flags);
            errno = opened.error();
            return opened.get();
        },
        nullptr);
    return opened;
}

FileDescriptor Anchor::openOnce(const Url& location, int flags) {
    const std::string& path = location.path();
    if (path.empty() || Anchor::hasDotComponent(path)) {
        return FileDescriptor(-1, EINVAL);
    }
    const std::string anchor = of(path);
    if (anchor == path) {
        return FileDescriptor::adopt(::open(anchor.c_str(), (flags & ~O_NOFOLLOW) | O_CLOEXEC));
    }
    const FileDescriptor root =
        FileDescriptor::adopt(::open(anchor.c_str(), O_PATH | O_DIRECTORY | O_CLOEXEC));
    if (!root.isOpen()) {
        return FileDescriptor(-1, root.error());
    }
    const std::size_t skip = anchor == "/" ? 1 : anchor.size() + 1;
    return openBeneath(root.get(), path.substr(skip), flags);
}

Anchor::Parent Anchor::openParent(const Url& location) {
    const std::string name = location.lastPathComponent();
    if (location.isEmpty() || location.path() == "/" || name == "." || name == "..") {
        return {FileDescriptor(-1, EINVAL), name};
    }
    return {open(location.deletingLastPathComponent(), O_PATH | O_DIRECTORY), name};
}

bool Anchor::hasDotComponent(std::string_view path) {
    std::size_t start = 0;
    while (start <= path.size()) {
        const std::size_t end = std::min(path.find('/', start), path.size());
        const std::string_view component = path.substr(start, end - start);
        if (component == "." || component == "..") {
            return true;
        }
        start = end + 1;
    }
    return false;
}

void Anchor::setKernelResolverAllowed(bool allowed) {
    kernelResolverAllowed.store(allowed);
}

FileDescriptor Anchor::openFolderMaking(const std::string& folder) {
    FileDescriptor opened = open(Url::folder(folder), O_RDONLY | O_DIRECTORY);
    const std::size_t slash = folder.rfind('/');
    if (opened.isOpen() || opened.error() != ENOENT || slash == 0 || slash == std::string::npos) {
        return opened;
    }
    const FileDescriptor parent = openFolderMaking(folder.substr(0, slash));
    if (!parent.isOpen()) {
        return FileDescriptor(-1, parent.error());
    }
    const std::string name = folder.substr(slash + 1);
    if (mkdirat(parent.get(), name.c_str(), 0700) != 0 && errno != EEXIST) {
        return FileDescriptor(-1, errno);
    }
    return FileDescriptor::adopt(
        openat(parent.get(), name.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC));
}

} // namespace sorvane
