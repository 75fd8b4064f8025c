#include "JournalLock.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>

namespace sorvane {

namespace {
constexpr const char* lockName = "journal.jsonl.lock";
} // namespace

JournalLock JournalLock::take(int folder, Mode mode) {
    FileDescriptor file = FileDescriptor::adopt(
        openat(folder, lockName, O_RDWR | O_CREAT | O_NOFOLLOW | O_CLOEXEC, 0600));
    const int operation = mode == Mode::exclusive ? LOCK_EX : LOCK_SH;
    while (file.isOpen() && flock(file.get(), operation) != 0) {
        if (errno != EINTR) {
            return JournalLock(FileDescriptor(-1, errno));
        }
    }
    return JournalLock(std::move(file));
}

} // namespace sorvane
