#include "Shutdown.h"

#include <atomic>

namespace sorvane {

namespace {

std::atomic<bool> underway = false;

} // namespace

void Shutdown::begin() {
    underway.store(true);
}

bool Shutdown::isUnderway() {
    return underway.load(std::memory_order_relaxed);
}

} // namespace sorvane
