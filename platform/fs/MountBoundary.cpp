#include "MountBoundary.h"

#include <cerrno>
#include <chrono>
#include <fcntl.h>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

namespace sorvane {

namespace {

constexpr int folderOpenFlags = O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC;
// How long a walk waits in all for descriptors before it gives the folder up as unreadable.
constexpr auto longestDescriptorWait = std::chrono::seconds(10);

struct MountId {
    std::uint64_t id = 0;
    bool known = false;
};

// The mount's own id where the kernel tells it, else the device: bind mounts of one file
// system share a device, so only the id tells them apart.
MountId mountOf(int descriptor) {
    struct statx info {};
    if (statx(descriptor, "", AT_EMPTY_PATH | AT_STATX_DONT_SYNC, STATX_MNT_ID, &info) != 0) {
        return {};
    }
    if ((info.stx_mask & STATX_MNT_ID) != 0) {
        return {info.stx_mnt_id, true};
    }
    return {(std::uint64_t{info.stx_dev_major} << 32U) | info.stx_dev_minor, true};
}

bool isMountRootAt(int folder, const char* name, int flags) {
    struct statx info {};
    return statx(folder, name, flags | AT_STATX_DONT_SYNC, STATX_TYPE, &info) == 0 &&
           (info.stx_attributes_mask & STATX_ATTR_MOUNT_ROOT) != 0 &&
           (info.stx_attributes & STATX_ATTR_MOUNT_ROOT) != 0;
}

bool outOfDescriptors(int error) {
    return error == EMFILE || error == ENFILE;
}

} // namespace

int openPatiently(const std::function<int()>& open, const std::function<bool()>& release) {
    int descriptor = open();
    while (descriptor < 0 && outOfDescriptors(errno) && release && release()) {
        descriptor = open();
    }
    auto pause = std::chrono::milliseconds(1);
    auto waited = std::chrono::milliseconds(0);
    while (descriptor < 0 && outOfDescriptors(errno) && waited < longestDescriptorWait) {
        const int error = errno;
        std::this_thread::sleep_for(pause);
        waited += pause;
        pause = std::min(pause * 2, std::chrono::milliseconds(100));
        errno = error;
        descriptor = open();
    }
    return descriptor;
}

MountBoundary::MountBoundary(int rootFolder) {
    const MountId root = mountOf(rootFolder);
    mount_ = root.id;
    known_ = root.known;
}

int MountBoundary::openFolder(int parent, const char* name,
                              const std::function<bool()>& release) const {
    const int descriptor =
        openPatiently([&] { return openat(parent, name, folderOpenFlags); }, release);
    if (descriptor < 0) {
        return -1;
    }
    const MountId mount = mountOf(descriptor);
    if (!known_ || !mount.known || mount.id != mount_) {
        close(descriptor);
        errno = EXDEV;
        return -1;
    }
    return descriptor;
}

bool MountBoundary::isMountPoint(int parent, const char* name) {
    return isMountRootAt(parent, name, AT_SYMLINK_NOFOLLOW);
}

bool MountBoundary::isMountRoot(int descriptor) {
    return isMountRootAt(descriptor, "", AT_EMPTY_PATH);
}

} // namespace sorvane
