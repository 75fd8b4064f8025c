#include "Anchor.h"
#include "DescriptorStack.h"
#include "DirectoryEntries.h"
#include "Path.h"
#include "Shutdown.h"
#include "WorkerPool.h"

#include <atomic>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <mutex>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

namespace sorvane {

namespace {

// A removal goes alone until it has seen this many entries; small ones never touch the pool.
constexpr std::size_t entriesBeforeSharing = 2048;

// Keeps the first failure of a removal so that it is reported once, however many entries
// fail and on however many threads.
class RemovalFailure {
public:
    void record(const std::string& where, int error) {
        const std::lock_guard lock(mutex_);
        if (error_ == 0) {
            where_ = where;
            error_ = error;
        }
    }
    void print() const {
        const std::lock_guard lock(mutex_);
        if (error_ != 0) {
            std::printf("%s: %s\n", where_.c_str(),
                        std::strerror(error_)); // NOLINT(concurrency-mt-unsafe)
            std::fflush(stdout);
        }
    }

private:
    mutable std::mutex mutex_;
    std::string where_;
    int error_ = 0;
};

// What every thread working on one removal shares.
struct RemovalWalk {
    const std::string& location;
    RemovalFailure& failure;
    // Set once work was handed off: a folder may then have been left for its last entries to
    // go on another thread, and a final pass removes it.
    std::atomic<bool> shared = false;
    WorkerPool::Group pieces; // last, so that it waits for the pieces before the rest goes
};

// Removes part of a tree on one thread. Every level is opened relative to its parent without
// following links, so a sub-folder replaced by a link while we work is removed as the link it
// has become, and its target is never entered.
class Remover {
public:
    Remover(RemovalWalk& walk, bool sharing, bool mayShare)
        : walk_(walk)
        , sharing_(sharing)
        , mayShare_(mayShare) {}

    // Unlinks the non-folder entries of the deepest folder and queues its sub-folders.
    void emptyFolder(DescriptorStack& stack) {
        const int folder = stack.top();
        auto& pending = stack.pending();
        forEachEntry(folder, [&](std::string_view name, unsigned char type) {
            ++seen_;
            if (type == DT_DIR) {
                pending.emplace_back(name);
            } else if (unlinkat(folder, name.data(), 0) != 0) {
                if (errno == EISDIR) {
                    pending.emplace_back(name);
                } else if (errno != ENOENT) {
                    walk_.failure.record(walk_.location, errno);
                }
            }
            return true;
        });
    }

    // Removes every sub-folder still to visit, down to the bottom of the stack; the folder at
    // the bottom itself stays.
    void walk(DescriptorStack& stack) {
        for (;;) {
            // The end of the process stops a removal between two entries, never inside one.
            if (Shutdown::isUnderway()) {
                walk_.failure.record(walk_.location, ECANCELED);
                return;
            }
            if (stack.pending().empty()) {
                if (stack.depth() == 1) {
                    return;
                }
                const std::string name = stack.topName();
                if (!stack.pop()) {
                    walk_.failure.record(walk_.location, ESTALE);
                    return;
                }
                removeFolder(stack.top(), name);
                continue;
            }
            const std::string name = std::move(stack.pending().back());
            stack.pending().pop_back();
            if (stack.push(name)) {
                emptyFolder(stack);
            } else if (errno == ELOOP || errno == ENOTDIR) {
                if (unlinkat(stack.top(), name.c_str(), 0) != 0 && errno != ENOENT) {
                    walk_.failure.record(walk_.location, errno);
                }
            } else if (errno != ENOENT) {
                walk_.failure.record(walk_.location, errno);
            }
            if (mayShare_ && !sharing_ && seen_ > entriesBeforeSharing) {
                sharing_ = true;
            }
            if (sharing_ && WorkerPool::shared().wantsWork()) {
                handOffSubtrees(stack);
            }
        }
    }

private:
    void removeFolder(int parent, const std::string& name) {
        if (unlinkat(parent, name.c_str(), AT_REMOVEDIR) == 0 || errno == ENOENT) {
            return;
        }
        // Its last entries may still be going on another thread; the final pass sees to it.
        if (errno == ENOTEMPTY && walk_.shared.load()) {
            return;
        }
        walk_.failure.record(walk_.location, errno);
    }

    void handOffSubtrees(DescriptorStack& stack) {
        auto share = stack.share();
        if (share.descriptor < 0) {
            return;
        }
        walk_.shared.store(true);
        RemovalWalk& walk = walk_;
        WorkerPool::shared().submit(walk.pieces, [&walk, descriptor = share.descriptor,
                                                  names = std::move(share.names)]() mutable {
            DescriptorStack subtrees(descriptor, std::move(names));
            Remover(walk, true, true).walk(subtrees);
        });
    }

    RemovalWalk& walk_;
    bool sharing_;
    const bool mayShare_;
    std::size_t seen_ = 0;
};

// Removes everything inside the folder open as descriptor (which it takes over).
void removeContents(int descriptor, RemovalWalk& walk, bool mayShare) {
    DescriptorStack stack(descriptor);
    Remover remover(walk, false, mayShare);
    remover.emptyFolder(stack);
    remover.walk(stack);
}

bool somethingAt(int parent, const std::string& name) {
    struct stat info {};
    return fstatat(parent, name.c_str(), &info, AT_SYMLINK_NOFOLLOW) == 0 || errno != ENOENT;
}

constexpr int folderOpenFlags = O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC;

// Opens the selected folder inside its parent, refusing a folder where another file system is
// mounted: its contents are not the selection's.
FileDescriptor openSelectedFolder(int parent, const std::string& name) {
    FileDescriptor folder(openat(parent, name.c_str(), folderOpenFlags), errno);
    if (folder.isOpen() && MountBoundary::isMountRoot(folder.get())) {
        return FileDescriptor(-1, EXDEV);
    }
    return folder;
}

} // namespace

bool Path::remove(const Url& url) {
    const std::string& location = url.path();
    RemovalFailure failure;
    if (location.empty() || location == "/") {
        failure.record("/", EBUSY);
        failure.print();
        return false;
    }
    // Reached afresh from its anchor: a folder on the way that became a link since the search
    // stops the removal here.
    const Anchor::Parent parent = Anchor::openParent(url);
    if (!parent.folder.isOpen()) {
        failure.record(location, parent.folder.error());
        failure.print();
        return parent.folder.error() == ENOENT;
    }
    const int at = parent.folder.get();
    const std::string& name = parent.name;
    struct stat info {};
    if (fstatat(at, name.c_str(), &info, AT_SYMLINK_NOFOLLOW) != 0) {
        failure.record(location, errno);
    } else if (!S_ISDIR(info.st_mode)) {
        if (unlinkat(at, name.c_str(), 0) != 0) {
            failure.record(location, errno);
        }
    } else {
        FileDescriptor folder = openSelectedFolder(at, name);
        const bool opened = folder.isOpen();
        const int openError = folder.error();
        if (opened) {
            RemovalWalk walk{location, failure, {}, {}};
            removeContents(folder.release(), walk, true);
            if (!walk.pieces.isEmpty()) {
                WorkerPool::shared().runUntilDone(walk.pieces);
            }
            // Folders whose last entries went on other threads are still there, empty: one
            // pass alone removes them, opened afresh and as carefully as before.
            if (walk.shared.load()) {
                FileDescriptor again = openSelectedFolder(at, name);
                if (again.isOpen()) {
                    RemovalWalk lastPass{location, failure, {}, {}};
                    removeContents(again.release(), lastPass, false);
                }
            }
        }
        // A folder that turned into a link or file since it was looked at goes as such. When
        // its contents failed, the cause recorded there is kept: it explains why it stays.
        const bool openable = opened || openError == ELOOP || openError == ENOTDIR;
        if (!openable ||
            (unlinkat(at, name.c_str(), opened ? AT_REMOVEDIR : 0) != 0 && errno != ENOENT)) {
            failure.record(location, openable ? errno : openError);
        }
    }
    failure.print();
    return !somethingAt(at, name);
}

} // namespace sorvane
