#pragma once

#include <cstddef>
#include <optional>
#include <string>

namespace sorvane {

// How the newest cleaning of the journal ended: when it started and how many of its locations
// went, stayed for a reason, or stayed because the keep list keeps what they hold.
struct LastCleaning {
    std::string time;
    std::size_t removed = 0;
    std::size_t remaining = 0;
    std::size_t kept = 0;

    // Nothing when the journal holds no cleaning.
    static std::optional<LastCleaning> read();
};

} // namespace sorvane
