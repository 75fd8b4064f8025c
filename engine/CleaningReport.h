#pragma once

#include "platform/fs/FreedSpace.h"
#include "platform/fs/RemovalReason.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace sorvane {

// How far a cleaning has come; reported a few times a second at most.
struct CleaningProgress {
    std::size_t itemsDone = 0;
    std::size_t itemsTotal = 0;
    // Logical bytes of the items done so far, and of all the selected items, as measured at
    // the search.
    std::uint64_t bytesDone = 0;
    std::uint64_t bytesTotal = 0;
    // The location being removed.
    std::string location;
};

// A location that stays after a cleaning, and why.
struct RemainingLocation {
    std::string categoryKey;
    std::string path;
    RemovalReason reason = RemovalReason::failed;
    // The system's words (or the keep-list entry) and the entry where it happened.
    std::string message;
};

// What a cleaning did, measured as it went.
struct CleaningSummary {
    FreedSpace freed;
    std::size_t itemsCleaned = 0;
    std::vector<RemainingLocation> remaining;
    bool stopped = false;
    // Locations that stay by the age limit, all their old part gone: the item's own folder,
    // still holding what was used since the cutoff, or nothing.
    std::vector<std::string> trimmed;
};

} // namespace sorvane
