#pragma once

#include <QObject>
#include <QSocketNotifier>

#include <functional>
#include <memory>

namespace sorvane::cli {

// Catches SIGINT and SIGTERM while it lives. The handler only counts and writes a byte to a pipe;
// the first interrupt reaches onFirst on the main thread's event loop, the second ends the
// process at once with status 130, as an interrupted program does. The former handlers come
// back when it goes.
class Interrupts {
public:
    explicit Interrupts(std::function<void()> onFirst);
    ~Interrupts();
    Interrupts(const Interrupts&) = delete;
    Interrupts& operator=(const Interrupts&) = delete;

    bool caught() const;

private:
    std::unique_ptr<QSocketNotifier> notifier_;
    std::function<void()> onFirst_;
};

} // namespace sorvane::cli
