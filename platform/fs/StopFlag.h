#pragma once

#include <atomic>

namespace sorvane {

// Asks a running walk or removal to stop at its next entry; shared by the thread that asks and
// the threads that work.
class StopFlag {
public:
    void request() { requested_.store(true); }
    void clear() { requested_.store(false); }
    bool requested() const { return requested_.load(); }

private:
    std::atomic<bool> requested_ = false;
};

} // namespace sorvane
