#include "Interrupts.h"

#include <atomic>
#include <csignal>
#include <fcntl.h>
#include <unistd.h>

namespace sorvane::cli {

namespace {

// What the handler may touch: a lock-free counter and the pipe's ends.
std::atomic<int> count = 0;
int pipeEnds[2] = {-1, -1};
struct sigaction formerInt {};
struct sigaction formerTerm {};

extern "C" void onInterrupt(int /*signal*/) {
    if (count.fetch_add(1) >= 1) {
        _exit(130);
    }
    const char byte = 1;
    // Nothing to do when the pipe is full: one byte already waits.
    [[maybe_unused]] const ssize_t written = write(pipeEnds[1], &byte, 1);
}

} // namespace

Interrupts::Interrupts(std::function<void()> onFirst)
    : onFirst_(std::move(onFirst)) {
    count.store(0);
    if (pipe2(pipeEnds, O_CLOEXEC | O_NONBLOCK) != 0) {
        return;
    }
    notifier_ = std::make_unique<QSocketNotifier>(pipeEnds[0], QSocketNotifier::Read);
    QObject::connect(notifier_.get(), &QSocketNotifier::activated, [this] {
        char byte = 0;
        while (read(pipeEnds[0], &byte, 1) > 0) {
        }
        onFirst_();
    });
    struct sigaction action {};
    action.sa_handler = onInterrupt;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    sigaction(SIGINT, &action, &formerInt);
    sigaction(SIGTERM, &action, &formerTerm);
}

Interrupts::~Interrupts() {
    if (!notifier_) {
        return;
    }
    sigaction(SIGINT, &formerInt, nullptr);
    sigaction(SIGTERM, &formerTerm, nullptr);
    notifier_.reset();
    close(pipeEnds[0]);
    close(pipeEnds[1]);
    pipeEnds[0] = pipeEnds[1] = -1;
}

bool Interrupts::caught() const {
    return count.load() > 0;
}

} // namespace sorvane::cli
