#pragma once

#include <cstdint>

namespace sorvane {

// A size measured on disk, and whether the measurement saw everything: a folder that could
// not be read, a walk cut short or descriptors that stayed short leave it incomplete, and the
// bytes are then only what was seen.
struct MeasuredSize {
    std::uint64_t bytes = 0;
    bool complete = true;

    MeasuredSize& operator+=(const MeasuredSize& other) {
        bytes += other.bytes;
        complete = complete && other.complete;
        return *this;
    }
    friend bool operator==(const MeasuredSize&, const MeasuredSize&) = default;
};

} // namespace sorvane
