#include "MountBoundary.h"

#include "DescriptorLimit.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace sorvane {

namespace {

constexpr int folderOpenFlags = O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC;

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

} // namespace

MountBoundary::MountBoundary(int rootFolder) {
    const MountId root = mountOf(rootFolder);
    mount_ = root.id;
    known_ = root.known;
}

int MountBoundary::openFolder(int parent, const char* name,
                              const std::function<bool()>& release) const {
    const int descriptor = DescriptorLimit::openPatiently(
        [&] { return openat(parent, name, folderOpenFlags); }, release);
    if (descriptor < 0) {
        return -1;
    }
    const MountId mount = mountOf(descriptor);
    if (!known_ || !mount.known || mount.id != mount_) {
        close(descriptor);
        DescriptorLimit::noteReleased();
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
