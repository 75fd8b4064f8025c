#pragma once

#include "platform/fs/MeasuredSize.h"
#include "platform/keep/KeepList.h"

#include <condition_variable>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <mutex>
#include <optional>
#include <thread>
#include <vector>

namespace sorvane {

// What keep-list entries hold now, measured one entry after the other on a thread of its own,
// so that a window never waits for the disk. A new request replaces the one under way at its
// next entry.
class HoldingsMeasurer {
public:
    struct Holding {
        std::size_t locations = 0;
        MeasuredSize size;
    };
    // Called on the measuring thread with the request's number and the entry's index in it.
    using Report = std::function<void(std::uint64_t request, std::size_t index, Holding holding)>;

    explicit HoldingsMeasurer(Report report);
    // Leaves the request under way at its next entry and waits for the thread; an entry being
    // walked is finished first (at its next folder once the process ends).
    ~HoldingsMeasurer();
    HoldingsMeasurer(const HoldingsMeasurer&) = delete;
    HoldingsMeasurer& operator=(const HoldingsMeasurer&) = delete;

    void measure(std::uint64_t request, std::vector<KeepRule> rules);

private:
    struct Request {
        std::uint64_t number;
        std::vector<KeepRule> rules;
    };

    void run();

    const Report report_;
    std::mutex mutex_;
    std::condition_variable wake_;
    std::optional<Request> pending_;
    bool stopping_ = false;
    std::thread thread_; // last: it starts once the rest is there
};

} // namespace sorvane
