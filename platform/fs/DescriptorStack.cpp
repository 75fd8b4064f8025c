#include "DescriptorStack.h"

#include "DescriptorLimit.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace sorvane {

namespace {

constexpr std::size_t openDescriptorBudget = 48;

} // namespace

DescriptorStack::DescriptorStack(int rootDescriptor, std::vector<std::string> pending)
    : boundary_(rootDescriptor) {
    Frame root;
    root.descriptor = rootDescriptor;
    root.pending = std::move(pending);
    struct stat info {};
    if (fstat(rootDescriptor, &info) == 0) {
        root.device = info.st_dev;
        root.inode = info.st_ino;
    }
    frames_.push_back(std::move(root));
}

DescriptorStack::~DescriptorStack() {
    for (const Frame& frame : frames_) {
        if (frame.descriptor >= 0) {
            close(frame.descriptor);
        }
    }
    DescriptorLimit::noteReleased();
}

std::string DescriptorStack::pathTo(std::string_view name) const {
    std::string path;
    for (std::size_t level = 1; level < frames_.size(); ++level) {
        path += path.empty() ? "" : "/";
        path += frames_[level].name;
    }
    if (!name.empty()) {
        path += path.empty() ? "" : "/";
        path += name;
    }
    return path;
}

bool DescriptorStack::push(const std::string& name) {
    // While descriptors are short every walk keeps only its deepest folder open, so that the
    // walks waiting for one get it from the others rather than stall.
    if (DescriptorLimit::isShort()) {
        closeAncestors();
    }
    const int descriptor =
        boundary_.openFolder(top(), name.c_str(), [this] { return closeAncestors(); });
    if (descriptor < 0) {
        return false;
    }
    struct stat info {};
    if (fstat(descriptor, &info) != 0) {
        const int error = errno;
        close(descriptor);
        DescriptorLimit::noteReleased();
        errno = error;
        return false;
    }
    frames_.push_back(Frame{descriptor, info.st_dev, info.st_ino, name, {}});
    closeBeyondBudget();
    return true;
}

void DescriptorStack::closeBeyondBudget() {
    while (frames_.size() - openFrom_ > openDescriptorBudget) {
        close(frames_[openFrom_].descriptor);
        frames_[openFrom_].descriptor = -1;
        ++openFrom_;
        DescriptorLimit::noteReleased();
    }
}

bool DescriptorStack::closeAncestors() {
    bool closed = false;
    while (openFrom_ + 1 < frames_.size()) {
        close(frames_[openFrom_].descriptor);
        frames_[openFrom_].descriptor = -1;
        ++openFrom_;
        closed = true;
    }
    if (closed) {
        DescriptorLimit::noteReleased();
    }
    return closed;
}

DescriptorStack::Share DescriptorStack::share() {
    if (DescriptorLimit::isShort()) {
        return {};
    }
    for (std::size_t level = openFrom_; level < frames_.size(); ++level) {
        Frame& frame = frames_[level];
        if (frame.pending.size() < 2) {
            continue;
        }
        Share given;
        given.descriptor = fcntl(frame.descriptor, F_DUPFD_CLOEXEC, 0);
        if (given.descriptor < 0) {
            return {};
        }
        // The walk takes names from the back, so the front half is what it would reach last.
        const auto half =
            frame.pending.begin() + static_cast<std::ptrdiff_t>(frame.pending.size() / 2);
        given.names.assign(std::make_move_iterator(frame.pending.begin()),
                           std::make_move_iterator(half));
        frame.pending.erase(frame.pending.begin(), half);
        return given;
    }
    return {};
}

bool DescriptorStack::pop() {
    if (frames_.size() < 2) {
        return false;
    }
    Frame& child = frames_.back();
    Frame& parent = frames_[frames_.size() - 2];
    bool sameParent = true;
    if (parent.descriptor < 0) {
        // Short of descriptors only waiting helps: the child is the one still open.
        const int reopened = DescriptorLimit::openPatiently(
            [&] { return openat(child.descriptor, "..", O_RDONLY | O_DIRECTORY | O_CLOEXEC); },
            nullptr);
        struct stat info {};
        sameParent = reopened >= 0 && fstat(reopened, &info) == 0 && info.st_dev == parent.device &&
                     info.st_ino == parent.inode;
        if (sameParent) {
            parent.descriptor = reopened;
            openFrom_ = frames_.size() - 2;
        } else if (reopened >= 0) {
            close(reopened);
        }
    }
    close(child.descriptor);
    DescriptorLimit::noteReleased();
    frames_.pop_back();
    return sameParent;
}

} // namespace sorvane
