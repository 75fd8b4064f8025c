#pragma once

namespace sorvane {

// The end of the process. Once it has begun, walks and removals stop at their next entry, so
// that no thread is still running into what the end of the process destroys.
class Shutdown {
public:
    Shutdown() = delete;

    static void begin();
    static bool isUnderway();
};

} // namespace sorvane
