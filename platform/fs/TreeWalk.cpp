#include "TreeWalk.h"

#include "DescriptorLimit.h"
#include "DirectoryEntries.h"
#include "MountBoundary.h"
#include "Shutdown.h"

#include <algorithm>
#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <utility>

namespace sorvane {

namespace {

// Leaves the folder at the top for its parent and tells the visitor; false, once the visitor
// has heard why, when the parent could not be reopened as the folder walked down.
bool climb(DescriptorStack& stack, TreeVisitor& visitor) {
    const std::string name = stack.topName();
    if (!stack.pop()) {
        visitor.failed(stack, ESTALE);
        return false;
    }
    visitor.left(stack, name);
    return true;
}

} // namespace

// Walks part of a tree in reading order on one thread.
class TreeWalk::Walker {
public:
    Walker(TreeWalk& walk, TreeVisitor& visitor, bool sharing)
        : walk_(walk)
        , visitor_(visitor)
        , sharing_(sharing) {}

    // Visits the entries of the folder at the top and queues those the visitor enters.
    void read(DescriptorStack& stack) {
        auto& pending = stack.pending();
        const int error = forEachEntry(stack.top(), [&](std::string_view name, unsigned char type) {
            ++seen_;
            switch (visitor_.visit(stack, name.data(), type)) {
            case WalkStep::enter:
                pending.emplace_back(name);
                return true;
            case WalkStep::skip:
                return true;
            case WalkStep::stop:
                walk_.stopped_.store(true);
                return false;
            }
            return true;
        });
        if (error != 0) {
            visitor_.failed(stack, error);
        }
        visitor_.read(stack);
    }

    // Walks every queued sub-folder, down to the bottom of the stack.
    void walk(DescriptorStack& stack) {
        for (;;) {
            if (Shutdown::isUnderway()) {
                visitor_.failed(stack, ECANCELED);
                return;
            }
            if (walk_.stopped_.load(std::memory_order_relaxed)) {
                return;
            }
            if (stack.pending().empty()) {
                if (stack.depth() == 1 || !climb(stack, visitor_)) {
                    return;
                }
                continue;
            }
            const std::string name = std::move(stack.pending().back());
            stack.pending().pop_back();
            if (!stack.push(name)) {
                visitor_.notOpened(stack, name, errno);
            } else if (visitor_.opened(stack) == WalkStep::enter) {
                read(stack);
            } else {
                stack.pending().clear();
            }
            if (!sharing_ && walk_.mayShare_ && seen_ > entriesBeforeSharing) {
                sharing_ = true;
            }
            if (sharing_ && walk_.canHandOff()) {
                handOffSubtrees(stack);
            }
        }
    }

private:
    void handOffSubtrees(DescriptorStack& stack) {
        auto piece = visitor_.piece();
        if (!piece) {
            return;
        }
        auto share = stack.share();
        if (share.descriptor >= 0) {
            walk_.handOff(share.descriptor, std::move(share.names), std::move(piece));
        }
    }

    TreeWalk& walk_;
    TreeVisitor& visitor_;
    bool sharing_;
    std::size_t seen_ = 0;
};

void TreeWalk::run(int rootDescriptor, TreeVisitor& visitor) {
    if (order_ == Order::listing) {
        walkInListingOrder(rootDescriptor, visitor);
        return;
    }
    {
        DescriptorStack stack(rootDescriptor);
        Walker walker(*this, visitor, false);
        walker.read(stack);
        walker.walk(stack);
        visitor.done();
    }
    // Parts handed off are counted before they are queued, so none can be missed here.
    if (!pieces_.isEmpty()) {
        WorkerPool::shared().runUntilDone(pieces_);
    }
}

bool TreeWalk::canHandOff() const {
    return mayShare_ && !DescriptorLimit::isShort() && WorkerPool::shared().wantsWork();
}

void TreeWalk::handOff(int descriptor, std::vector<std::string> folders,
                       std::unique_ptr<TreeVisitor> piece, Preparation prepare) {
    // Shared, since a queued piece of work must be copyable.
    std::shared_ptr<TreeVisitor> visitor = std::move(piece);
    handedOff_.store(true);
    WorkerPool::shared().submit(pieces_, [this, descriptor, visitor = std::move(visitor),
                                          prepare = std::move(prepare),
                                          folders = std::move(folders)]() mutable {
        DescriptorStack stack(descriptor, std::move(folders));
        if (prepare) {
            prepare(stack, *visitor);
        }
        Walker(*this, *visitor, true).walk(stack);
        visitor->done();
    });
}

unsigned char TreeWalk::entryType(int folder, const char* name, unsigned char listed) {
    if (listed != DT_UNKNOWN) {
        return listed;
    }
    struct stat info {};
    if (fstatat(folder, name, &info, AT_SYMLINK_NOFOLLOW) != 0) {
        return DT_UNKNOWN;
    }
    return S_ISDIR(info.st_mode)   ? DT_DIR
           : S_ISLNK(info.st_mode) ? DT_LNK
           : S_ISREG(info.st_mode) ? DT_REG
                                   : DT_FIFO;
}

void TreeWalk::walkInListingOrder(int rootDescriptor, TreeVisitor& visitor) {
    struct Entry {
        std::string name;
        unsigned char type = DT_UNKNOWN;
    };
    struct Level {
        std::vector<Entry> entries;
        std::size_t next = 0;
    };
    // A folder's entries in byte order of their names, without folders where another file
    // system is mounted: nothing is listed across a mount point.
    const auto readSorted = [&](DescriptorStack& stack) {
        Level level;
        const int folder = stack.top();
        const int error = forEachEntry(folder, [&](std::string_view name, unsigned char type) {
            type = entryType(folder, name.data(), type);
            if (type != DT_DIR || !MountBoundary::isMountPoint(folder, name.data())) {
                level.entries.push_back({std::string(name), type});
            }
            return true;
        });
        if (error != 0) {
            visitor.failed(stack, error);
        }
        std::sort(level.entries.begin(), level.entries.end(),
                  [](const Entry& a, const Entry& b) { return a.name < b.name; });
        return level;
    };
    DescriptorStack stack(rootDescriptor);
    std::vector<Level> levels;
    levels.push_back(readSorted(stack));
    while (!levels.empty()) {
        if (Shutdown::isUnderway()) {
            visitor.failed(stack, ECANCELED);
            return;
        }
        Level& level = levels.back();
        if (level.next == level.entries.size()) {
            levels.pop_back();
            if (levels.empty() || !climb(stack, visitor)) {
                return;
            }
            continue;
        }
        const Entry& entry = level.entries[level.next++];
        const WalkStep step = visitor.visit(stack, entry.name.c_str(), entry.type);
        if (step == WalkStep::stop) {
            return;
        }
        if (step == WalkStep::skip) {
            continue;
        }
        const std::string name = entry.name; // the level may move as levels grow
        if (!stack.push(name)) {
            visitor.notOpened(stack, name, errno);
        } else if (visitor.opened(stack) == WalkStep::enter) {
            levels.push_back(readSorted(stack));
        } else {
            levels.emplace_back();
        }
    }
}

} // namespace sorvane
