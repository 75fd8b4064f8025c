#pragma once

#include <cstdint>
#include <functional>

namespace sorvane {

// The file system a walk stays on. Sub-folders are opened only on the mount of the walk's
// root (bind mounts count as other mounts), never through a link, and patiently when the
// process is short of descriptors, so that a walk neither leaves its tree nor silently skips
// part of it.
class MountBoundary {
public:
    // The boundary of the mount that the open folder belongs to.
    explicit MountBoundary(int rootFolder);

    // Opens the named entry of parent as a folder. On failure -1 with errno: ELOOP or ENOTDIR
    // when it is no folder (a link included), EXDEV when another file system is mounted there,
    // EMFILE or ENFILE when descriptors stayed short although release() was called and the
    // call waited for others to close theirs. release() closes what the caller can spare and
    // returns false when it has nothing left to close.
    int openFolder(int parent, const char* name, const std::function<bool()>& release) const;
    // Whether the entry of parent (not followed when it is a link) is the root of a mount.
    static bool isMountPoint(int parent, const char* name);
    // Whether an open file or folder is the root of a mount.
    static bool isMountRoot(int descriptor);

private:
    std::uint64_t mount_ = 0;
    bool known_ = false;
};

} // namespace sorvane
