#include "FileReplacement.h"

#include "FileDescriptor.h"

#include <atomic>
#include <cerrno>
#include <fcntl.h>
#include <unistd.h>

namespace sorvane {

namespace {

bool writeAll(int file, const std::string& text) {
    for (std::size_t written = 0; written < text.size();) {
        const ssize_t count = ::write(file, text.data() + written, text.size() - written);
        if (count < 0 && errno != EINTR) {
            return false;
        }
        written += count > 0 ? static_cast<std::size_t>(count) : 0;
    }
    return true;
}

} // namespace

int FileReplacement::replace(int folder, const std::string& name, const std::string& text,
                             mode_t mode) {
    // Unique within the process too: two threads may replace the same file at once.
    static std::atomic<unsigned> serial = 0;
    const std::string temporary =
        "." + name + "." + std::to_string(getpid()) + "." + std::to_string(serial.fetch_add(1));
    const FileDescriptor file = FileDescriptor::adopt(openat(
        folder, temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, mode));
    if (!file.isOpen()) {
        return file.error();
    }
    if (!writeAll(file.get(), text) || fsync(file.get()) != 0 ||
        renameat(folder, temporary.c_str(), folder, name.c_str()) != 0) {
        const int error = errno;
        unlinkat(folder, temporary.c_str(), 0);
        return error;
    }
    // The rename itself lasts once the folder is on disk.
    fsync(folder);
    return 0;
}

} // namespace sorvane
