#pragma once

#include <string>

namespace sorvane {

// What a removal did to one location: whether anything is left there, and the first failure
// met on the way with the entry where it happened (the location itself or something below it).
struct RemovalOutcome {
    bool gone = false;
    // An errno value; 0 when nothing failed.
    int error = 0;
    // Where the error happened, as a path; empty when nothing failed.
    std::string entry;

    // "entry: the system's error text", or empty when nothing failed.
    std::string reason() const;
};

} // namespace sorvane
