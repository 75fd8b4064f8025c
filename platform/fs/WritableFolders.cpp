#include "WritableFolders.h"

#include "FileDescriptor.h"

#include <fcntl.h>

#include <sys/stat.h>
#include <unistd.h>

namespace sorvane {

bool WritableFolders::makeWritable(int folder) {
    // Under the lock, so that the mode kept is the one the folder had before any thread changed it.
    const std::lock_guard lock(mutex_);
    struct stat info {};
    if (fstat(folder, &info) != 0 || !S_ISDIR(info.st_mode) || info.st_uid != geteuid()) {
        return false;
    }
    if ((info.st_mode & S_IWUSR) != 0) {
        return true;
    }
    const mode_t mode = info.st_mode & 07777;
    if (fchmod(folder, mode | S_IWUSR) != 0) {
        return false;
    }
    changed_.try_emplace({info.st_dev, info.st_ino}, mode);
    return true;
}

void WritableFolders::restore(int parent, const std::string& name) {
    const std::lock_guard lock(mutex_);
    if (changed_.empty()) {
        return;
    }
    // Opened as the walk opens folders, so that what is changed is the very folder met before.
    const FileDescriptor folder = FileDescriptor::adopt(
        openat(parent, name.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC));
    struct stat info {};
    if (!folder.isOpen() || fstat(folder.get(), &info) != 0) {
        return;
    }
    const auto found = changed_.find({info.st_dev, info.st_ino});
    if (found != changed_.end() && fchmod(folder.get(), found->second) == 0) {
        changed_.erase(found);
    }
}

} // namespace sorvane
