#include "Anchor.h"
#include "MountBoundary.h"
#include "Path.h"
#include "TreeWalk.h"

#include <cerrno>
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>

namespace sorvane {

namespace {

// What an age limit finds at a location: the old part's size and whether anything old or young
// is there at all.
struct AgeCensus {
    MeasuredSize old;
    bool anyOld = false;
    bool anyYoung = false;

    void count(const struct stat& info, const AgeLimit& age) {
        if (age.isOld(info)) {
            anyOld = true;
            old.bytes += static_cast<std::uint64_t>(info.st_size);
        } else {
            anyYoung = true;
        }
    }
};

// Looks at every file and link below a folder by its own times, on one thread, passing by what
// the keep list keeps. Folders count only for what they hold: their own times change whenever
// an entry comes or goes.
class CensusVisitor : public TreeVisitor {
public:
    CensusVisitor(const std::string& location, const KeepList* keep, const AgeLimit& age,
                  AgeCensus& census)
        : location_(location)
        , keep_(keep)
        , age_(age)
        , census_(census) {}

    WalkStep visit(DescriptorStack& stack, const char* name, unsigned char type) override {
        if (keep_ != nullptr && keep_->keeperOf(location_ + "/" + stack.pathTo(name)) != nullptr) {
            return WalkStep::skip;
        }
        if (type == DT_DIR) {
            return WalkStep::enter;
        }
        struct stat info {};
        if (fstatat(stack.top(), name, &info, AT_SYMLINK_NOFOLLOW) != 0) {
            census_.old.complete = census_.old.complete && errno == ENOENT;
            return WalkStep::skip;
        }
        if (S_ISDIR(info.st_mode)) {
            return WalkStep::enter;
        }
        census_.count(info, age_);
        // A whole unit with one young file is not old; the rest need not be looked at.
        return census_.anyYoung && age_.whole() ? WalkStep::stop : WalkStep::skip;
    }
    void notOpened(DescriptorStack& /*stack*/, const std::string& /*name*/, int error) override {
        census_.old.complete = census_.old.complete && (error == ENOENT || error == EXDEV);
    }
    void failed(DescriptorStack& /*stack*/, int /*error*/) override {
        census_.old.complete = false;
    }

private:
    const std::string& location_;
    const KeepList* keep_;
    const AgeLimit& age_;
    AgeCensus& census_;
};

AgeCensus censusOf(const Url& url, const KeepList& keep, const AgeLimit& age) {
    AgeCensus census;
    if (keep.keeperOf(url.path()) != nullptr) {
        return census;
    }
    const Anchor::Parent parent = Anchor::openParent(url);
    struct stat info {};
    if (!parent.folder.isOpen() ||
        fstatat(parent.folder.get(), parent.name.c_str(), &info, AT_SYMLINK_NOFOLLOW) != 0) {
        return census;
    }
    if (!S_ISDIR(info.st_mode)) {
        census.count(info, age);
        return census;
    }
    FileDescriptor root = Anchor::open(url, O_RDONLY | O_DIRECTORY);
    if (!root.isOpen() || MountBoundary::isMountRoot(root.get())) {
        return census;
    }
    TreeWalk walk(TreeWalk::Order::reading, false);
    CensusVisitor visitor(url.path(), keep.guardsBelow(url.path()) ? &keep : nullptr, age, census);
    walk.run(root.release(), visitor);
    return census;
}

} // namespace

MeasuredSize Path::size(const Url& url, const KeepList& keep, const AgeLimit& age) {
    if (age.any()) {
        return size(url, keep);
    }
    if (age.whole()) {
        return holdsOld(url, keep, age) ? size(url, keep) : MeasuredSize{};
    }
    return censusOf(url, keep, age).old;
}

bool Path::holdsOld(const Url& url, const KeepList& keep, const AgeLimit& age) {
    if (age.any()) {
        return exists(url) && keep.keeperOf(url.path()) == nullptr;
    }
    const AgeCensus census = censusOf(url, keep, age);
    return census.anyOld && (!age.whole() || !census.anyYoung);
}

} // namespace sorvane
