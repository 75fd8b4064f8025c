#pragma once

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

    // "entry: the system's error text", "entry: kept by ENTRY", or empty when nothing failed and
    // nothing was kept.
    std::string reason() const;
};

} // namespace sorvane
