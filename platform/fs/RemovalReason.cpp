#include "RemovalReason.h"

#include <cerrno>

namespace sorvane {

std::string_view wordOf(RemovalReason reason) {
    switch (reason) {
    case RemovalReason::none:
        return {};
    case RemovalReason::permissionDenied:
        return "permission-denied";
    case RemovalReason::readOnly:
        return "read-only";
    case RemovalReason::mountPoint:
        return "mount-point";
    case RemovalReason::kept:
        return "kept";
    case RemovalReason::alreadyGone:
        return "already-gone";
    case RemovalReason::stopped:
        return "stopped";
    case RemovalReason::failed:
        return "failed";
    }
    return "failed";
}

RemovalReason reasonOfError(int error) {
    switch (error) {
    case 0:
        return RemovalReason::none;
    case EACCES:
    case EPERM:
        return RemovalReason::permissionDenied;
    case EROFS:
        return RemovalReason::readOnly;
    // The removal refuses a folder where another file system is mounted with EXDEV, and the
    // system refuses to remove a mount point with EBUSY.
    case EBUSY:
    case EXDEV:
        return RemovalReason::mountPoint;
    case ENOENT:
        return RemovalReason::alreadyGone;
    default:
        return RemovalReason::failed;
    }
}

} // namespace sorvane
