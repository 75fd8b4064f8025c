#include "RegularFile.h"

#include "Anchor.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace sorvane {

namespace {

// The status of the open file when it is a regular file.
std::optional<struct stat> regularStatus(const FileDescriptor& file) {
    struct stat status {};
    if (!file.isOpen() || fstat(file.get(), &status) != 0 || !S_ISREG(status.st_mode)) {
        return std::nullopt;
    }
    return status;
}

// Up to count bytes from the start; the file may grow or shrink while it is read.
std::optional<std::string> readUpTo(const FileDescriptor& file, std::size_t count) {
    std::string bytes(count, '\0');
    std::size_t filled = 0;
    while (filled < count) {
        const ssize_t got = ::read(file.get(), bytes.data() + filled, count - filled);
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

} // namespace

FileDescriptor RegularFile::openForReading(const std::string& path) {
    // Non-blocking, so that opening a pipe with no writer returns at once instead of waiting;
    // never a controlling terminal, never across exec; reached from its anchor, no link at any
    // level followed.
    return Anchor::open(Url(path), O_RDONLY | O_NONBLOCK | O_NOCTTY);
}

std::optional<std::string> RegularFile::read(const std::string& path, std::uint64_t limit) {
    const FileDescriptor file = openForReading(path);
    const auto status = regularStatus(file);
    if (!status || static_cast<std::uint64_t>(status->st_size) > limit) {
        return std::nullopt;
    }
    // One byte beyond the limit tells a file that grew past it since fstat.
    const auto bytes = readUpTo(file, static_cast<std::size_t>(status->st_size) + 1);
    if (!bytes || bytes->size() > limit) {
        return std::nullopt;
    }
    return bytes;
}

std::optional<std::string> RegularFile::readHead(const std::string& path, std::size_t count) {
    const FileDescriptor file = openForReading(path);
    if (!regularStatus(file)) {
        return std::nullopt;
    }
    return readUpTo(file, count);
}

std::optional<RegularFile::Identity> RegularFile::identity(const std::string& path) {
    const FileDescriptor file = openForReading(path);
    const auto status = regularStatus(file);
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
