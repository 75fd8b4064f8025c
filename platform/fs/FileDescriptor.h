#pragma once

#include <unistd.h>

#include <cerrno>

#include <utility>

namespace sorvane {

// Owns an open file descriptor, or holds the error of the attempt that failed to open one.
class FileDescriptor {
public:
    FileDescriptor() = default;
    // Takes over descriptor; when it is negative, error is the reason (an errno value).
    explicit FileDescriptor(int descriptor, int error = 0)
        : descriptor_(descriptor)
        , error_(descriptor < 0 ? error : 0) {}
    ~FileDescriptor() { reset(); }
    FileDescriptor(FileDescriptor&& other) noexcept
        : descriptor_(std::exchange(other.descriptor_, -1))
        , error_(other.error_) {}
    FileDescriptor& operator=(FileDescriptor&& other) noexcept {
        if (this != &other) {
            reset();
            descriptor_ = std::exchange(other.descriptor_, -1);
            error_ = other.error_;
        }
        return *this;
    }
    // Takes over what an open call returned, with errno as the reason when it failed. The call
    // has returned before errno is read, which a constructor argument beside it cannot promise.
    static FileDescriptor adopt(int descriptor) {
        return FileDescriptor(descriptor, descriptor < 0 ? errno : 0);
    }
    FileDescriptor(const FileDescriptor&) = delete;
    FileDescriptor& operator=(const FileDescriptor&) = delete;

    bool isOpen() const { return descriptor_ >= 0; }
    int get() const { return descriptor_; }
    // Why opening failed; 0 while open.
    int error() const { return error_; }
    // Gives up ownership.
    int release() { return std::exchange(descriptor_, -1); }

private:
    void reset() {
        if (descriptor_ >= 0) {
            close(descriptor_);
            descriptor_ = -1;
        }
    }

    int descriptor_ = -1;
    int error_ = 0;
};

} // namespace sorvane
