#include "Anchor.h"
#include "FsLog.h"
#include "MountBoundary.h"
#include "Path.h"
#include "StopFlag.h"
#include "TreeWalk.h"
#include "WritableFolders.h"

#include <atomic>
#include <cerrno>
#include <dirent.h>
#include <fcntl.h>
#include <mutex>
#include <string>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>
#include <vector>

namespace sorvane {

namespace {

// Keeps the first failure of a removal, however many entries fail and on however many
// threads: it is the one that explains the rest. Also gathers what the threads freed, and
// whether the removal was stopped.
class RemovalFailure {
public:
    explicit RemovalFailure(std::string location)
        : location_(std::move(location)) {}

    // relative names an entry below the location; empty for the location itself.
    void record(const std::string& relative, int error) {
        const std::lock_guard lock(mutex_);
        if (error_ == 0) {
            entry_ = relative.empty() ? location_ : location_ + "/" + relative;
            error_ = error;
        }
    }
    // A kept entry that stays; relative as for record().
    void recordKept(const std::string& relative, const std::string& keptBy) {
        const std::lock_guard lock(mutex_);
        if (keptBy_.empty()) {
            kept_ = relative.empty() ? location_ : location_ + "/" + relative;
            keptBy_ = keptBy;
        }
    }
    bool keptSomething() const {
        const std::lock_guard lock(mutex_);
        return !keptBy_.empty();
    }
    // Something stays for being too young to count, or the removal leaves the location's own
    // folder by its age limit.
    void markAgeLimited() { ageLimited_.store(true); }
    // Each thread counts on its own and adds its sum once, when its part is done.
    void addFreed(const FreedSpace& freed) {
        const std::lock_guard lock(mutex_);
        freed_.add(freed);
    }
    void markStopped() { stopped_.store(true); }
    bool stopped() const { return stopped_.load(); }
    const std::string& location() const { return location_; }
    RemovalOutcome outcome(bool gone) const {
        const std::lock_guard lock(mutex_);
        RemovalOutcome outcome;
        outcome.gone = gone;
        outcome.freed = freed_;
        outcome.stopped = stopped_.load();
        outcome.ageLimited = ageLimited_.load();
        if (error_ == 0 && !keptBy_.empty()) {
            outcome.entry = kept_;
            outcome.keptBy = keptBy_;
        } else if (error_ == 0 && outcome.stopped) {
            outcome.entry = location_;
        } else {
            outcome.error = error_;
            outcome.entry = entry_;
        }
        return outcome;
    }

private:
    const std::string location_;
    mutable std::mutex mutex_;
    std::string entry_;
    int error_ = 0;
    std::string kept_;
    std::string keptBy_;
    FreedSpace freed_;
    std::atomic<bool> stopped_ = false;
    std::atomic<bool> ageLimited_ = false;
};

// The space an entry of the open folder holds that its removal would give back: its allocated
// blocks when this is its last link (a folder always is), else nothing, since another name keeps
// the data. Read right before the removal, so that of two links removed in turn the second
// counts. device is set when there is something to count.
std::uint64_t allocatedIfLast(int folder, const char* name, std::uint64_t& device) {
    struct stat info {};
    if (fstatat(folder, name, &info, AT_SYMLINK_NOFOLLOW) != 0) {
        return 0;
    }
    device = info.st_dev;
    if (!S_ISDIR(info.st_mode) && info.st_nlink != 1) {
        return 0;
    }
    return static_cast<std::uint64_t>(info.st_blocks) * 512;
}

// Removes an entry of the open folder and counts what it frees once it is gone; 0 or the errno
// value of the failure.
int unlinkCounting(int folder, const char* name, int flags, WritableFolders& writable,
                   FreedSpace& freed);

// Removes an entry of the open folder; when the folder's own mode refuses it and the folder is
// ours, once more after letting its owner write to it. 0 or the errno value of the failure.
int unlinkIn(int folder, const char* name, int flags, WritableFolders& writable) {
    if (unlinkat(folder, name, flags) == 0) {
        return 0;
    }
    int error = errno;
    if (error == EACCES && writable.makeWritable(folder)) {
        error = unlinkat(folder, name, flags) == 0 ? 0 : errno;
    }
    return error;
}

int unlinkCounting(int folder, const char* name, int flags, WritableFolders& writable,
                   FreedSpace& freed) {
    std::uint64_t device = 0;
    const std::uint64_t bytes = allocatedIfLast(folder, name, device);
    const int error = unlinkIn(folder, name, flags, writable);
    if (error == 0) {
        freed.add(device, bytes);
    }
    return error;
}

// Removes what one thread sees of a tree: entries go as they are read, folders once they are
// empty. Every level is opened relative to its parent without following links, so a
// sub-folder replaced by a link while we work is removed as the link it has become, and its
// target is never entered. A folder of ours that only its mode kept from being emptied is made
// writable through the descriptor the walk holds, and gets its mode back if it stays.
//
// Given a keep list, the tree is one the list may reach into: every entry of a folder on the
// way to a kept one is looked up before it goes, and a kept entry stays with its folders.
// Given an age limit, a file or link goes only when it is old by its own times; a folder goes
// once empty when the removal emptied it or nothing was written in it since the cutoff, so that
// a folder a program made just now for what it is about to write stays.
class RemovalVisitor : public TreeVisitor {
public:
    RemovalVisitor(TreeWalk& walk, RemovalFailure& failure, WritableFolders& writable,
                   const KeepList* keep, const AgeLimit* age, const StopFlag* stop)
        : walk_(walk)
        , failure_(failure)
        , writable_(writable)
        , keep_(keep)
        , age_(age)
        , stop_(stop) {}

    WalkStep opened(DescriptorStack& stack) override {
        if (keep_ != nullptr) {
            guarded_.resize(stack.depth());
            guarded_.back() = keep_->guardsBelow(failure_.location() + "/" + stack.pathTo({}));
        }
        return WalkStep::enter;
    }

    WalkStep visit(DescriptorStack& stack, const char* name, unsigned char type) override {
        // Between two entries, never inside one: what went stays gone, the rest stays whole.
        if (stop_ != nullptr && stop_->requested()) {
            failure_.markStopped();
            return WalkStep::stop;
        }
        if (keep_ != nullptr && topGuarded(stack)) {
            const std::string relative = stack.pathTo(name);
            if (const KeepRule* rule = keep_->keeperOf(failure_.location() + "/" + relative)) {
                failure_.recordKept(relative, rule->entry.text());
                return WalkStep::skip;
            }
        }
        if (type == DT_DIR) {
            return WalkStep::enter;
        }
        if (age_ != nullptr) {
            // Looked at right before it would go: a file used since the search stays.
            struct stat info {};
            if (fstatat(stack.top(), name, &info, AT_SYMLINK_NOFOLLOW) != 0) {
                return WalkStep::skip;
            }
            if (S_ISDIR(info.st_mode)) {
                return WalkStep::enter;
            }
            if (!age_->isOld(info)) {
                failure_.markAgeLimited();
                return WalkStep::skip;
            }
        }
        const int error = unlinkCounting(stack.top(), name, 0, writable_, freed_);
        if (error == 0 || error == ENOENT) {
            emptiedAt(stack.depth()) = true;
            return WalkStep::skip;
        }
        if (error == EISDIR) {
            return WalkStep::enter;
        }
        failure_.record(stack.pathTo(name), error);
        return WalkStep::skip;
    }

    void notOpened(DescriptorStack& stack, const std::string& name, int error) override {
        if (error == ELOOP || error == ENOTDIR) {
            const int why = unlinkCounting(stack.top(), name.c_str(), 0, writable_, freed_);
            if (why != 0 && why != ENOENT) {
                failure_.record(stack.pathTo(name), why);
            }
        } else if (error != ENOENT) {
            failure_.record(stack.pathTo(name), error);
        }
    }

    void left(DescriptorStack& stack, const std::string& name) override {
        if (age_ != nullptr) {
            auto flag = emptiedAt(stack.depth() + 1);
            const bool emptied = flag;
            flag = false;
            struct stat info {};
            if (!emptied && fstatat(stack.top(), name.c_str(), &info, AT_SYMLINK_NOFOLLOW) == 0 &&
                !age_->isUnwritten(info)) {
                failure_.markAgeLimited();
                return;
            }
        }
        const int error =
            unlinkCounting(stack.top(), name.c_str(), AT_REMOVEDIR, writable_, freed_);
        if (error == 0 || error == ENOENT) {
            emptiedAt(stack.depth()) = true;
            return;
        }
        // Its last entries may still be going on another thread; the final pass sees to it.
        if (error == ENOTEMPTY && walk_.handedOff()) {
            return;
        }
        writable_.restore(stack.top(), name);
        // A folder on the way to a kept entry, or holding a young one, stays, as it must.
        if (error == ENOTEMPTY && (failure_.keptSomething() || age_ != nullptr)) {
            return;
        }
        failure_.record(stack.pathTo(name), error);
    }

    // The end of the process stops a removal between two entries, never inside one.
    void failed(DescriptorStack& stack, int error) override {
        failure_.record(stack.pathTo({}), error);
    }

    void done() override { failure_.addFreed(freed_); }

    std::unique_ptr<TreeVisitor> piece() override {
        return std::make_unique<RemovalVisitor>(walk_, failure_, writable_, keep_, age_, stop_);
    }

private:
    // Whether this visitor removed something from the open folder at a depth (the root at 1).
    std::vector<bool>::reference emptiedAt(std::size_t depth) {
        if (emptied_.size() <= depth) {
            emptied_.resize(depth + 1);
        }
        return emptied_[depth];
    }

    // Whether the folder at the top may hold a kept entry; the root always may, or the keep
    // list would not have been given.
    bool topGuarded(const DescriptorStack& stack) const {
        const std::size_t level = stack.depth() - 1;
        return level >= guarded_.size() || level == 0 || guarded_[level];
    }

    TreeWalk& walk_;
    RemovalFailure& failure_;
    WritableFolders& writable_;
    const KeepList* keep_;
    const AgeLimit* age_;
    const StopFlag* stop_;
    // What this visitor's thread freed, added to the removal's once its part is done.
    FreedSpace freed_;
    // By depth, whether the open folder there may hold a kept entry.
    std::vector<bool> guarded_;
    // By depth, whether something went from the open folder there (age-limited removals only).
    std::vector<bool> emptied_;
};

// Removes everything inside the folder open as descriptor (which it takes over) but what the
// keep list keeps, when one is given; true when parts went to other threads, which may have
// left emptied folders behind.
bool removeContents(int descriptor, RemovalFailure& failure, WritableFolders& writable,
                    bool mayShare, const KeepList* keep, const AgeLimit* age,
                    const StopFlag* stop) {
    // A tree the keep list reaches into is walked by one thread, which knows its way down; so
    // is one taken by age, whose folders are left as they stay and need no second pass.
    TreeWalk walk(TreeWalk::Order::reading, mayShare && keep == nullptr && age == nullptr);
    RemovalVisitor visitor(walk, failure, writable, keep, age, stop);
    walk.run(descriptor, visitor);
    return walk.handedOff();
}

bool somethingAt(int parent, const std::string& name) {
    struct stat info {};
    return fstatat(parent, name.c_str(), &info, AT_SYMLINK_NOFOLLOW) == 0 || errno != ENOENT;
}

// Removes the selected entry from its parent, counting what that frees; 0 or the errno value.
// Unlike the entries below it, the parent is not the selection's, so its mode is never changed.
int removeSelected(int parent, const std::string& name, bool folder, FreedSpace& freed) {
    std::uint64_t device = 0;
    const std::uint64_t bytes = allocatedIfLast(parent, name.c_str(), device);
    if (unlinkat(parent, name.c_str(), folder ? AT_REMOVEDIR : 0) != 0) {
        return errno;
    }
    freed.add(device, bytes);
    return 0;
}

constexpr int folderOpenFlags = O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC;

// Opens the selected folder inside its parent, refusing a folder where another file system is
// mounted: its contents are not the selection's.
FileDescriptor openSelectedFolder(int parent, const std::string& name) {
    FileDescriptor folder = FileDescriptor::adopt(openat(parent, name.c_str(), folderOpenFlags));
    if (folder.isOpen() && MountBoundary::isMountRoot(folder.get())) {
        return FileDescriptor(-1, EXDEV);
    }
    return folder;
}

} // namespace

RemovalOutcome Path::remove(const Url& url, const KeepList& keep, const StopFlag* stop) {
    return remove(url, keep, AgeLimit(), stop);
}

RemovalOutcome Path::remove(const Url& url, const KeepList& keep, const AgeLimit& age,
                            const StopFlag* stop) {
    const RemovalOutcome outcome = removeLocation(url, keep, age, stop);
    if (outcome.error != 0) {
        qCWarning(fsLog).noquote() << QString::fromStdString(outcome.reason());
    }
    return outcome;
}

RemovalOutcome Path::removeLocation(const Url& url, const KeepList& keep, const AgeLimit& age,
                                    const StopFlag* stop) {
    const std::string& location = url.path();
    if (location.empty() || location == "/") {
        RemovalFailure failure("/");
        failure.record({}, EBUSY);
        return failure.outcome(false);
    }
    RemovalFailure failure(location);
    if (const KeepRule* rule = keep.keeperOf(location)) {
        failure.recordKept({}, rule->entry.text());
        return failure.outcome(!exists(url));
    }
    if (stop != nullptr && stop->requested()) {
        failure.markStopped();
        return failure.outcome(!exists(url));
    }
    // A whole unit is judged before it is touched; once old, it goes as any location does.
    if (!age.any() && age.whole() && !holdsOld(url, keep, age)) {
        failure.markAgeLimited();
        return failure.outcome(!exists(url));
    }
    const AgeLimit* byFiles = age.any() || age.whole() ? nullptr : &age;
    const KeepList* guard = keep.guardsBelow(location) ? &keep : nullptr;
    // Reached afresh from its anchor: a folder on the way that became a link since the search
    // stops the removal here.
    const Anchor::Parent parent = Anchor::openParent(url);
    if (!parent.folder.isOpen()) {
        failure.record({}, parent.folder.error());
        return failure.outcome(parent.folder.error() == ENOENT);
    }
    const int at = parent.folder.get();
    const std::string& name = parent.name;
    struct stat info {};
    if (fstatat(at, name.c_str(), &info, AT_SYMLINK_NOFOLLOW) != 0) {
        failure.record({}, errno);
    } else if (!S_ISDIR(info.st_mode)) {
        if (byFiles != nullptr && !byFiles->isOld(info)) {
            failure.markAgeLimited();
        } else if (unlinkat(at, name.c_str(), 0) != 0) {
            failure.record({}, errno);
        } else if (info.st_nlink == 1) {
            FreedSpace freed;
            freed.add(info.st_dev, static_cast<std::uint64_t>(info.st_blocks) * 512);
            failure.addFreed(freed);
        }
    } else {
        // The selected folder may be made writable, being part of the selection; its parent,
        // which is not, never is.
        WritableFolders writable;
        FileDescriptor folder = openSelectedFolder(at, name);
        const bool opened = folder.isOpen();
        const int openError = folder.error();
        // Folders whose last entries went on other threads are still there, empty: one pass
        // alone removes them, opened afresh and as carefully as before.
        if (opened &&
            removeContents(folder.release(), failure, writable, true, guard, byFiles, stop) &&
            !failure.stopped()) {
            FileDescriptor again = openSelectedFolder(at, name);
            if (again.isOpen()) {
                removeContents(again.release(), failure, writable, false, guard, byFiles, stop);
            }
        }
        // Taken by age, the item keeps its own folder, whatever is left in it.
        if (byFiles != nullptr) {
            failure.markAgeLimited();
            if (opened) {
                writable.restore(at, name);
            } else {
                failure.record({}, openError);
            }
            return failure.outcome(!somethingAt(at, name));
        }
        // A folder that turned into a link or file since it was looked at goes as such. When
        // its contents failed, the cause recorded there is kept: it explains why it stays.
        const bool openable = opened || openError == ELOOP || openError == ENOTDIR;
        FreedSpace freed;
        if (!openable) {
            failure.record({}, openError);
        } else if (const int error = removeSelected(at, name, opened, freed);
                   error != 0 && error != ENOENT) {
            // It stays, so it keeps the mode it had.
            if (opened) {
                writable.restore(at, name);
            }
            // A stopped removal leaves what it did not come to, as it was asked to.
            if (error != ENOTEMPTY || (!failure.keptSomething() && !failure.stopped())) {
                failure.record({}, error);
            }
        }
        failure.addFreed(freed);
    }
    return failure.outcome(!somethingAt(at, name));
}

} // namespace sorvane
