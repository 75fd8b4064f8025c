#include "RegularFile.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace sorvane {

namespace {

// Closes the descriptor when the reading is over, whichever way it ends.
class OpenFile {
public:
    explicit OpenFile(int descriptor)
        : descriptor_(descriptor) {}
    ~OpenFile() {
        if (descriptor_ >= 0) {
            close(descriptor_);
        }
    }
    OpenFile(const OpenFile&) = delete;
    OpenFile& operator=(const OpenFile&) = delete;

    int descriptor() const { return descriptor_; }

    // The status of the open file when it is a regular file.
    std::optional<struct stat> regularStatus() const {
        struct stat status {};
        if (descriptor_ < 0 || fstat(descriptor_, &status) != 0 || !S_ISREG(status.st_mode)) {
            return std::nullopt;
        }
        return status;
    }

    // Up to count bytes from the start; the file may grow or shrink while it is read.
    std::optional<std::string> readUpTo(std::size_t count) const {
        std::string bytes(count, '\0');
        std::size_t filled = 0;
        while (filled < count) {
            const ssize_t got = ::read(descriptor_, bytes.data() + filled, count - filled);
            if (got < 0 && errno == EINTR) {
                continue;
            }
            if (got < 0) {
                return std::nullopt;
            }
            if (got == 0) {
                break;
            }
            filled += static_cast<std::size_t>(got);
        }
        bytes.resize(filled);
        return bytes;
    }

private:
    int descriptor_;
};

} // namespace

int RegularFile::openForReading(const std::string& path) {
    // Non-blocking, so that opening a pipe with no writer returns at once instead of waiting;
    // never a controlling terminal, never across exec.
    return open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOFOLLOW | O_CLOEXEC | O_NOCTTY);
}

std::optional<std::string> RegularFile::read(const std::string& path, std::uint64_t limit) {
    const OpenFile file(openForReading(path));
    const auto status = file.regularStatus();
    if (!status || static_cast<std::uint64_t>(status->st_size) > limit) {
        return std::nullopt;
    }
    // One byte beyond the limit tells a file that grew past it since fstat.
    const auto bytes = file.readUpTo(static_cast<std::size_t>(status->st_size) + 1);
    if (!bytes || bytes->size() > limit) {
        return std::nullopt;
    }
    return bytes;
}

std::optional<std::string> RegularFile::readHead(const std::string& path, std::size_t count) {
    const OpenFile file(openForReading(path));
    if (!file.regularStatus()) {
        return std::nullopt;
    }
    return file.readUpTo(count);
}

std::optional<RegularFile::Identity> RegularFile::identity(const std::string& path) {
    const OpenFile file(openForReading(path));
    const auto status = file.regularStatus();
    if (!status) {
        return std::nullopt;
    }
    return Identity{static_cast<std::uint64_t>(status->st_dev),
                    static_cast<std::uint64_t>(status->st_ino),
                    static_cast<std::int64_t>(status->st_mtim.tv_sec),
                    static_cast<std::int64_t>(status->st_mtim.tv_nsec),
                    static_cast<std::uint64_t>(status->st_size)};
}

} // namespace sorvane
