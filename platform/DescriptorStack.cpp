#include "DescriptorStack.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace sorvane {

namespace {

constexpr std::size_t openDescriptorBudget = 48;
constexpr int folderOpenFlags = O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC;

} // namespace

DescriptorStack::DescriptorStack(int rootDescriptor) {
    Frame root;
    root.descriptor = rootDescriptor;
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
}

bool DescriptorStack::push(const std::string& name) {
    const int descriptor = openat(top(), name.c_str(), folderOpenFlags);
    if (descriptor < 0) {
        return false;
    }
    struct stat info {};
    if (fstat(descriptor, &info) != 0) {
        const int error = errno;
        close(descriptor);
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
    }
}

bool DescriptorStack::pop() {
    if (frames_.size() < 2) {
        return false;
    }
    Frame& child = frames_.back();
    Frame& parent = frames_[frames_.size() - 2];
    bool sameParent = true;
    if (parent.descriptor < 0) {
        const int reopened = openat(child.descriptor, "..", O_RDONLY | O_DIRECTORY | O_CLOEXEC);
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
    frames_.pop_back();
    return sameParent;
}

} // namespace sorvane
