#include "FreedSpace.h"

namespace sorvane {

void FreedSpace::add(std::uint64_t device, std::uint64_t bytes) {
    // A device where nothing was freed stays out, so that byDevice() names only those touched.
    if (bytes != 0) {
        byDevice_[device] += bytes;
    }
}

void FreedSpace::add(const FreedSpace& other) {
    for (const auto& [device, bytes] : other.byDevice_) {
        add(device, bytes);
    }
}

std::uint64_t FreedSpace::total() const {
    std::uint64_t sum = 0;
    for (const auto& [device, bytes] : byDevice_) {
        sum += bytes;
    }
    return sum;
}

} // namespace sorvane
