#include "Anchor.h"
#include "DescriptorStack.h"
#include "DirectoryEntries.h"
#include "Path.h"
#include "Shutdown.h"
#include "SizeMemo.h"
#include "WorkerPool.h"

#include <atomic>
#include <fcntl.h>
#include <string>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>

namespace sorvane {

namespace {

// A walk goes alone until it has seen this many entries; smaller folders never touch the pool.
constexpr std::size_t entriesBeforeSharing = 2048;
// Names of one wide folder handed to another thread at a time.
constexpr std::size_t batchSize = 512;

// What every thread working on one measurement shares: the total and the pieces still running.
struct SizeWalk {
    std::atomic<std::uint64_t> sum = 0;
    WorkerPool::Group pieces; // last, so that it waits for the pieces before the rest goes
};

// Names kept in one buffer, each ended by a NUL, so that batches cost no allocation per name.
class NameBatch {
public:
    void add(std::string_view name) {
        names_.append(name);
        names_.push_back('\0');
        ++count_;
    }
    std::size_t count() const { return count_; }
    template <typename Visit> void forEach(Visit&& visit) const {
        for (std::size_t at = 0; at < names_.size(); at = names_.find('\0', at) + 1) {
            visit(names_.c_str() + at);
        }
    }

private:
    std::string names_;
    std::size_t count_ = 0;
};

// Measures part of a tree on one thread, keeping its own sum until it is done.
class Measurer {
public:
    Measurer(SizeWalk& walk, bool sharing)
        : walk_(walk)
        , sharing_(sharing) {}
    ~Measurer() { walk_.sum.fetch_add(sum_); }
    Measurer(const Measurer&) = delete;
    Measurer& operator=(const Measurer&) = delete;

    // Adds the sizes of the deepest folder's non-folder entries and queues its sub-folders.
    void measureFolder(DescriptorStack& stack) {
        const int folder = stack.top();
        auto& pending = stack.pending();
        NameBatch batch;
        forEachEntry(folder, [&](std::string_view name, unsigned char type) {
            ++seen_;
            if (type == DT_DIR) {
                pending.emplace_back(name);
            } else if (!sharing_) {
                measureEntry(folder, name.data(), pending);
            } else {
                batch.add(name);
                if (batch.count() == batchSize) {
                    handOffOrMeasure(folder, std::exchange(batch, {}), pending);
                }
            }
            return true;
        });
        batch.forEach([&](const char* name) { measureEntry(folder, name, pending); });
    }

    // Visits every sub-folder still to visit, down to the bottom of the stack.
    void walk(DescriptorStack& stack) {
        for (;;) {
            if (Shutdown::isUnderway()) {
                return;
            }
            if (stack.pending().empty()) {
                if (stack.depth() == 1 || !stack.pop()) {
                    return;
                }
                continue;
            }
            const std::string name = std::move(stack.pending().back());
            stack.pending().pop_back();
            // A sub-folder that cannot be opened (unreadable, a mount point, or still no
            // descriptor after waiting) loses only its own entries.
            if (stack.push(name)) {
                if (const auto known = SizeMemo::lookup(stack.topDevice(), stack.topInode())) {
                    // Measured whole already in this search, as an item of its own.
                    sum_ += *known;
                    stack.pending().clear();
                    if (!stack.pop()) {
                        return;
                    }
                    continue;
                }
                measureFolder(stack);
            }
            if (!sharing_ && seen_ > entriesBeforeSharing) {
                sharing_ = true;
            }
            if (sharing_ && WorkerPool::shared().wantsWork()) {
                handOffSubtrees(stack);
            }
        }
    }

    void handOffSubtrees(DescriptorStack& stack) {
        auto share = stack.share();
        if (share.descriptor < 0) {
            return;
        }
        SizeWalk& walk = walk_;
        WorkerPool::shared().submit(walk.pieces, [&walk, descriptor = share.descriptor,
                                                  names = std::move(share.names)]() mutable {
            DescriptorStack subtrees(descriptor, std::move(names));
            Measurer(walk, true).walk(subtrees);
        });
    }

private:
    void measureEntry(int folder, const char* name, std::vector<std::string>& pending) {
        struct statx info {};
        if (statx(folder, name, AT_SYMLINK_NOFOLLOW | AT_STATX_DONT_SYNC, STATX_TYPE | STATX_SIZE,
                  &info) != 0) {
            return;
        }
        // A file of another file system mounted here is not this tree's to count.
        if ((info.stx_attributes & info.stx_attributes_mask & STATX_ATTR_MOUNT_ROOT) != 0) {
            return;
        }
        if (S_ISDIR(info.stx_mode)) {
            pending.emplace_back(name);
        } else {
            sum_ += info.stx_size;
        }
    }

    void handOffOrMeasure(int folder, NameBatch batch, std::vector<std::string>& pending) {
        WorkerPool& pool = WorkerPool::shared();
        const int descriptor = pool.wantsWork() ? fcntl(folder, F_DUPFD_CLOEXEC, 0) : -1;
        if (descriptor < 0) {
            batch.forEach([&](const char* name) { measureEntry(folder, name, pending); });
            return;
        }
        SizeWalk& walk = walk_;
        pool.submit(walk.pieces, [&walk, descriptor, batch = std::move(batch)] {
            // Folders among the names (the file system may not tell types) are walked here.
            DescriptorStack stack(descriptor);
            Measurer measurer(walk, true);
            batch.forEach([&](const char* name) {
                measurer.measureEntry(descriptor, name, stack.pendingAt(0));
            });
            measurer.walk(stack);
        });
    }

    SizeWalk& walk_;
    bool sharing_;
    std::uint64_t sum_ = 0;
    std::size_t seen_ = 0;
};

} // namespace

std::uint64_t Path::directorySize(const Url& url) {
    FileDescriptor root = Anchor::open(url, O_RDONLY | O_DIRECTORY);
    // A folder where another file system is mounted holds nothing of this one.
    if (!root.isOpen() || MountBoundary::isMountRoot(root.get())) {
        return 0;
    }
    struct stat identity {};
    const bool identified = fstat(root.get(), &identity) == 0;
    if (identified) {
        if (const auto known = SizeMemo::lookup(identity.st_dev, identity.st_ino)) {
            return *known;
        }
    }
    SizeWalk walk;
    {
        DescriptorStack stack(root.release());
        Measurer measurer(walk, false);
        measurer.measureFolder(stack);
        measurer.walk(stack);
    }
    // Pieces handed off are counted before they are queued, so none can be missed here.
    if (!walk.pieces.isEmpty()) {
        WorkerPool::shared().runUntilDone(walk.pieces);
    }
    // A walk cut short by the end of the process is no size to remember.
    if (identified && !Shutdown::isUnderway()) {
        SizeMemo::record(identity.st_dev, identity.st_ino, walk.sum.load());
    }
    return walk.sum.load();
}

} // namespace sorvane
