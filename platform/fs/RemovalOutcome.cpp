#include "RemovalOutcome.h"

#include <cerrno>
#include <cstring>

namespace sorvane {

std::string RemovalOutcome::reason() const {
    if (error == 0) {
        if (stopped) {
            return entry + ": stopped";
        }
        return keptBy.empty() ? std::string() : entry + ": kept by " + keptBy;
    }
    return entry + ": " + std::strerror(error); // NOLINT(concurrency-mt-unsafe)
}

RemovalReason RemovalOutcome::why() const {
    if (gone) {
        return error == ENOENT ? RemovalReason::alreadyGone : RemovalReason::none;
    }
    if (error != 0) {
        return reasonOfError(error);
    }
    if (stopped) {
        return RemovalReason::stopped;
    }
    if (!keptBy.empty()) {
        return RemovalReason::kept;
    }
    if (ageLimited) {
        return RemovalReason::none;
    }
    return RemovalReason::failed;
}

} // namespace sorvane
