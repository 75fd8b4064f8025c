#include "Anchor.h"
#include "FsLog.h"
#include "MountBoundary.h"
#include "Path.h"
#include "TreeWalk.h"
#include "WritableFolders.h"

#include <cerrno>
#include <dirent.h>
#include <fcntl.h>
#include <mutex>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

namespace sorvane {

namespace {

// Keeps the first failure of a removal, however many entries fail and on however many
// threads: it is the one that explains the rest.
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
    const std::string& location() const { return location_; }
    RemovalOutcome outcome(bool gone) const {
        const std::lock_guard lock(mutex_);
        if (error_ == 0 && !keptBy_.empty()) {
            return {gone, 0, kept_, keptBy_};
        }
        return {gone, error_, entry_, {}};
    }

private:
    const std::string location_;
    mutable std::mutex mutex_;
    std::string entry_;
    int error_ = 0;
    std::string kept_;
    std::string keptBy_;
};

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

// Removes what one thread sees of a tree: entries go as they are read, folders once they are
// empty. Every level is opened relative to its parent without following links, so a
// sub-folder replaced by a link while we work is removed as the link it has become, and its
// target is never entered. A folder of ours that only its mode kept from being emptied is made
// writable through the descriptor the walk holds, and gets its mode back if it stays.
//
// Given a keep list, the tree is one the list may reach into: every entry of a folder on the
// way to a kept one is looked up before it goes, and a kept entry stays with its folders.
class RemovalVisitor : public TreeVisitor {
public:
    RemovalVisitor(TreeWalk& walk, RemovalFailure& failure, WritableFolders& writable,
                   const KeepList* keep)
        : walk_(walk)
        , failure_(failure)
        , writable_(writable)
        , keep_(keep) {}

    WalkStep opened(DescriptorStack& stack) override {
        if (keep_ != nullptr) {
            guarded_.resize(stack.depth());
            guarded_.back() = keep_->guardsBelow(failure_.location() + "/" + stack.pathTo({}));
        }
        return WalkStep::enter;
    }

    WalkStep visit(DescriptorStack& stack, const char* name, unsigned char type) override {
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
        const int error = unlinkIn(stack.top(), name, 0, writable_);
        if (error == 0 || error == ENOENT) {
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
            const int why = unlinkIn(stack.top(), name.c_str(), 0, writable_);
            if (why != 0 && why != ENOENT) {
                failure_.record(stack.pathTo(name), why);
            }
        } else if (error != ENOENT) {
            failure_.record(stack.pathTo(name), error);
        }
    }

    void left(DescriptorStack& stack, const std::string& name) override {
        const int error = unlinkIn(stack.top(), name.c_str(), AT_REMOVEDIR, writable_);
        if (error == 0 || error == ENOENT) {
            return;
        }
        // Its last entries may still be going on another thread; the final pass sees to it.
        if (error == ENOTEMPTY && walk_.handedOff()) {
            return;
        }
        writable_.restore(stack.top(), name);
        // A folder on the way to a kept entry stays, as it must.
        if (error == ENOTEMPTY && failure_.keptSomething()) {
            return;
        }
        failure_.record(stack.pathTo(name), error);
    }

    // The end of the process stops a removal between two entries, never inside one.
    void failed(DescriptorStack& stack, int error) override {
        failure_.record(stack.pathTo({}), error);
    }

    std::unique_ptr<TreeVisitor> piece() override {
        return std::make_unique<RemovalVisitor>(walk_, failure_, writable_, keep_);
    }

private:
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
    // By depth, whether the open folder there may hold a kept entry.
    std::vector<bool> guarded_;
};

// Removes everything inside the folder open as descriptor (which it takes over) but what the
// keep list keeps, when one is given; true when parts went to other threads, which may have
// left emptied folders behind.
bool removeContents(int descriptor, RemovalFailure& failure, WritableFolders& writable,
                    bool mayShare, const KeepList* keep) {
    // A tree the keep list reaches into is walked by one thread, which knows its way down.
    TreeWalk walk(TreeWalk::Order::reading, mayShare && keep == nullptr);
    RemovalVisitor visitor(walk, failure, writable, keep);
    walk.run(descriptor, visitor);
    return walk.handedOff();
}

bool somethingAt(int parent, const std::string& name) {
    struct stat info {};
    return fstatat(parent, name.c_str(), &info, AT_SYMLINK_NOFOLLOW) == 0 || errno != ENOENT;
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

RemovalOutcome Path::remove(const Url& url, const KeepList& keep) {
    const RemovalOutcome outcome = removeLocation(url, keep);
    if (outcome.error != 0) {
        qCWarning(fsLog).noquote() << QString::fromStdString(outcome.reason());
    }
    return outcome;
}

RemovalOutcome Path::removeLocation(const Url& url, const KeepList& keep) {
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
        if (unlinkat(at, name.c_str(), 0) != 0) {
            failure.record({}, errno);
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
        if (opened && removeContents(folder.release(), failure, writable, true, guard)) {
            FileDescriptor again = openSelectedFolder(at, name);
            if (again.isOpen()) {
                removeContents(again.release(), failure, writable, false, guard);
            }
        }
        // A folder that turned into a link or file since it was looked at goes as such. When
        // its contents failed, the cause recorded there is kept: it explains why it stays.
        const bool openable = opened || openError == ELOOP || openError == ENOTDIR;
        if (!openable) {
            failure.record({}, openError);
        } else if (unlinkat(at, name.c_str(), opened ? AT_REMOVEDIR : 0) != 0 && errno != ENOENT) {
            const int error = errno;
            // It stays, so it keeps the mode it had.
            if (opened) {
                writable.restore(at, name);
            }
            if (error != ENOTEMPTY || !failure.keptSomething()) {
                failure.record({}, error);
            }
        }
    }
    return failure.outcome(!somethingAt(at, name));
}

} // namespace sorvane
