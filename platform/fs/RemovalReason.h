#pragma once

#include <string_view>

namespace sorvane {

// Why a location, or part of it, stays after its removal, in the words reports use.
enum class RemovalReason {
    none,             // nothing stays
    permissionDenied, // EACCES, EPERM: a folder of someone else, or a mode that refuses
    readOnly,         // EROFS
    mountPoint,       // another file system is mounted there or below
    kept,             // the keep list keeps it
    alreadyGone,      // nothing was there any more to remove
    stopped,          // the cleaning was stopped before it came to it
    failed,           // any other error of the system
};

// The stable word of a reason: "permission-denied", "read-only", "mount-point", "kept",
// "already-gone", "stopped", "failed"; empty for none.
std::string_view wordOf(RemovalReason reason);
// The reason an errno value stands for.
RemovalReason reasonOfError(int error);

} // namespace sorvane
