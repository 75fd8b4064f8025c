#include "Anchor.h"
#include "MountBoundary.h"
#include "Path.h"
#include "Shutdown.h"
#include "SizeMemo.h"
#include "TreeWalk.h"

#include <atomic>
#include <dirent.h>
#include <fcntl.h>
#include <string>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>

namespace sorvane {

namespace {

// Names of one wide folder handed to another thread at a time.
constexpr std::size_t batchSize = 512;

// What every thread working on one measurement shares.
struct SizeTotal {
    std::atomic<std::uint64_t> bytes = 0;
    std::atomic<bool> complete = true;
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

// Sums the sizes of what one thread sees of a tree, keeping its own sum until it is done.
// Folders known to the size memo count as measured, without a walk.
class SizeVisitor : public TreeVisitor {
public:
    SizeVisitor(TreeWalk& walk, SizeTotal& total, bool sharing)
        : walk_(walk)
        , total_(total)
        , sharing_(sharing) {}

    WalkStep visit(DescriptorStack& stack, const char* name, unsigned char type) override {
        if (type == DT_DIR) {
            return WalkStep::enter;
        }
        if (!sharing_ && ++seen_ > TreeWalk::entriesBeforeSharing) {
            sharing_ = true;
        }
        if (!sharing_) {
            measureEntry(stack.top(), name, stack.pending());
            return WalkStep::skip;
        }
        // In a wide folder, batches of names go to other threads while this one reads on.
        batch_.add(name);
        if (batch_.count() == batchSize) {
            handOffOrMeasure(stack, std::exchange(batch_, {}));
        }
        return WalkStep::skip;
    }

    void read(DescriptorStack& stack) override {
        std::exchange(batch_, {}).forEach([&](const char* name) {
            measureEntry(stack.top(), name, stack.pending());
        });
    }

    WalkStep opened(DescriptorStack& stack) override {
        if (const auto known = SizeMemo::lookup(stack.topDevice(), stack.topInode())) {
            // Measured whole already in this search, as an item of its own.
            sum_ += *known;
            return WalkStep::skip;
        }
        return WalkStep::enter;
    }

    void notOpened(DescriptorStack& /*stack*/, const std::string& /*name*/, int error) override {
        // Gone since it was listed, another file system, or no longer a folder: nothing of this
        // tree is missed. Anything else leaves entries unseen.
        if (error != ENOENT && error != EXDEV && error != ELOOP && error != ENOTDIR) {
            complete_ = false;
        }
    }

    void failed(DescriptorStack& /*stack*/, int /*error*/) override { complete_ = false; }

    void done() override {
        total_.bytes.fetch_add(std::exchange(sum_, 0));
        if (!complete_) {
            total_.complete.store(false);
        }
    }

    std::unique_ptr<TreeVisitor> piece() override {
        return std::make_unique<SizeVisitor>(walk_, total_, true);
    }

private:
    void measureEntry(int folder, const char* name, std::vector<std::string>& pending) {
        struct statx info {};
        if (statx(folder, name, AT_SYMLINK_NOFOLLOW | AT_STATX_DONT_SYNC, STATX_TYPE | STATX_SIZE,
                  &info) != 0) {
            complete_ = complete_ && errno == ENOENT;
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

    void handOffOrMeasure(DescriptorStack& stack, NameBatch batch) {
        const int folder = stack.top();
        const int descriptor = walk_.canHandOff() ? fcntl(folder, F_DUPFD_CLOEXEC, 0) : -1;
        if (descriptor < 0) {
            batch.forEach([&](const char* name) { measureEntry(folder, name, stack.pending()); });
            return;
        }
        walk_.handOff(descriptor, {}, piece(),
                      [batch = std::move(batch)](DescriptorStack& part, TreeVisitor& visitor) {
                          // Folders among the names (the file system may not tell types) are
                          // walked by the part.
                          auto& sizes = static_cast<SizeVisitor&>(visitor);
                          batch.forEach([&](const char* name) {
                              sizes.measureEntry(part.top(), name, part.pending());
                          });
                      });
    }

    TreeWalk& walk_;
    SizeTotal& total_;
    bool sharing_;
    std::size_t seen_ = 0;
    std::uint64_t sum_ = 0;
    bool complete_ = true;
    NameBatch batch_;
};

} // namespace

MeasuredSize Path::directorySize(const Url& url) {
    FileDescriptor root = Anchor::open(url, O_RDONLY | O_DIRECTORY);
    if (!root.isOpen()) {
        // Nothing there, or no folder there, is a whole measurement of nothing.
        const int error = root.error();
        return {0, error == ENOENT || error == ENOTDIR || error == ELOOP};
    }
    // A folder where another file system is mounted holds nothing of this one.
    if (MountBoundary::isMountRoot(root.get())) {
        return {};
    }
    struct stat identity {};
    const bool identified = fstat(root.get(), &identity) == 0;
    if (identified) {
        if (const auto known = SizeMemo::lookup(identity.st_dev, identity.st_ino)) {
            return {*known, true};
        }
    }
    SizeTotal total;
    {
        TreeWalk walk(TreeWalk::Order::reading);
        SizeVisitor visitor(walk, total, false);
        walk.run(root.release(), visitor);
    }
    const MeasuredSize measured{total.bytes.load(), total.complete.load()};
    // Only a whole size is worth remembering; a walk cut short by the end of the process is not.
    if (identified && measured.complete && !Shutdown::isUnderway()) {
        SizeMemo::record(identity.st_dev, identity.st_ino, measured.bytes);
    }
    return measured;
}

} // namespace sorvane
