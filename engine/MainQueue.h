#pragma once

#include <functional>

namespace sorvane {

// Hands work from any thread to the main thread's event loop. Blocks run on the main thread in
// the order they were posted. The queue is a std::mutex-guarded list, so the hand-over is a
// synchronisation that thread checkers see, not only Qt's internal one.
class MainQueue {
public:
    MainQueue() = delete;

    // Needs a QCoreApplication; a block posted before one exists is dropped.
    static void post(std::function<void()> block);
};

} // namespace sorvane
