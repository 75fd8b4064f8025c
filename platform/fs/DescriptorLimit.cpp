#include "DescriptorLimit.h"

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <chrono>
#include <cstdint>
#include <limits>
#include <sys/resource.h>
#include <thread>

namespace sorvane {

namespace {

using Clock = std::chrono::steady_clock;

// How long a shortage keeps walks frugal after it was last seen.
constexpr auto shortageLasts = std::chrono::seconds(1);
// How long an open waits without a single descriptor given back before it gives up.
constexpr auto longestStall = std::chrono::seconds(10);
// However busy the others are, a walk that waited this long in all says it cannot go on.
constexpr auto longestWait = std::chrono::minutes(2);

std::atomic<std::int64_t> lastShortage{std::numeric_limits<std::int64_t>::min() / 2};
std::atomic<std::uint64_t> releases{0};

std::int64_t now() {
    return std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now().time_since_epoch())
        .count();
}

bool outOfDescriptors(int error) {
    return error == EMFILE || error == ENFILE;
}

} // namespace

void DescriptorLimit::raiseToHardLimit() {
    rlimit limit{};
    if (getrlimit(RLIMIT_NOFILE, &limit) == 0 && limit.rlim_cur < limit.rlim_max) {
        limit.rlim_cur = limit.rlim_max;
        setrlimit(RLIMIT_NOFILE, &limit);
    }
}

bool DescriptorLimit::isShort() {
    return now() - lastShortage.load(std::memory_order_relaxed) <
           std::chrono::duration_cast<std::chrono::milliseconds>(shortageLasts).count();
}

void DescriptorLimit::noteReleased() {
    releases.fetch_add(1, std::memory_order_relaxed);
}

int DescriptorLimit::openPatiently(const std::function<int()>& open,
                                   const std::function<bool()>& release) {
    int descriptor = open();
    if (descriptor >= 0 || !outOfDescriptors(errno)) {
        return descriptor;
    }
    lastShortage.store(now(), std::memory_order_relaxed);
    while (descriptor < 0 && outOfDescriptors(errno) && release && release()) {
        descriptor = open();
    }
    auto pause = std::chrono::milliseconds(1);
    auto stalled = std::chrono::milliseconds(0);
    auto waited = std::chrono::milliseconds(0);
    std::uint64_t seen = releases.load(std::memory_order_relaxed);
    while (descriptor < 0 && outOfDescriptors(errno) && stalled < longestStall &&
           waited < longestWait) {
        const int error = errno;
        lastShortage.store(now(), std::memory_order_relaxed);
        std::this_thread::sleep_for(pause);
        const std::uint64_t released = releases.load(std::memory_order_relaxed);
        if (released != seen) {
            seen = released;
            stalled = std::chrono::milliseconds(0);
        } else {
            stalled += pause;
        }
        waited += pause;
        pause = std::min(pause * 2, std::chrono::milliseconds(100));
        errno = error;
        descriptor = open();
    }
    return descriptor;
}

} // namespace sorvane
