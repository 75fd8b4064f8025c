#pragma once

#include "FreedSpace.h"
#include "RemovalReason.h"

#include <string>

namespace sorvane {

// What a removal did to one location: whether anything is left there, and the first failure
// met on the way with the entry where it happened (the location itself or something below it),
// or, when nothing failed but something stays, the first kept entry that stayed.
struct RemovalOutcome {
    bool gone = false;
    // An errno value; 0 when nothing failed.
    int error = 0;
    // Where the error happened, or the kept entry that stayed, as a path; empty when nothing
    // failed and nothing was kept.
    std::string entry;
    // The keep-list entry that kept the entry, when nothing failed; empty otherwise.
    std::string keptBy;
    // The allocated space given back by what went, measured entry by entry as it went.
    FreedSpace freed;
    // The removal was asked to stop before it was done; what went stays gone.
    bool stopped = false;
    // The removal took only what was old: what stays (young entries, the location's own
    // folder) stays as asked.
    bool ageLimited = false;

    // "entry: the system's error text", "entry: kept by ENTRY", "entry: stopped", or empty when
    // nothing failed, nothing was kept and nothing stopped the removal.
    std::string reason() const;
    // Why something stays, in the words reports use: none when nothing does, already gone when
    // nothing was there to remove (ENOENT is only ever recorded for the location itself, since
    // entries that vanish below it are what a removal wants). A failure explains more than a
    // stop, a stop more than a keep.
    RemovalReason why() const;
};

} // namespace sorvane
