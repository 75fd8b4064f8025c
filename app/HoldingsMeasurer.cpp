#include "HoldingsMeasurer.h"

#include "platform/keep/KeptHoldings.h"

namespace sorvane {

HoldingsMeasurer::HoldingsMeasurer(Report report)
    : report_(std::move(report))
    , thread_([this] { run(); }) {}

HoldingsMeasurer::~HoldingsMeasurer() {
    {
        const std::lock_guard lock(mutex_);
        stopping_ = true;
    }
    wake_.notify_one();
    thread_.join();
}

void HoldingsMeasurer::measure(std::uint64_t request, std::vector<KeepRule> rules) {
    {
        const std::lock_guard lock(mutex_);
        pending_ = Request{request, std::move(rules)};
    }
    wake_.notify_one();
}

void HoldingsMeasurer::run() {
    std::unique_lock lock(mutex_);
    while (true) {
        wake_.wait(lock, [this] { return stopping_ || pending_; });
        if (stopping_) {
            return;
        }
        const Request request = std::move(*pending_);
        pending_.reset();
        for (std::size_t index = 0; index < request.rules.size() && !stopping_ && !pending_;
             ++index) {
            lock.unlock();
            Holding holding;
            for (const KeptLocation& location : KeptHoldings::of(request.rules[index])) {
                ++holding.locations;
                holding.size += location.size;
            }
            report_(request.number, index, holding);
            lock.lock();
        }
    }
}

} // namespace sorvane
