#pragma once

#include <QString>

namespace sorvane {

// What came of asking the engine for a search or a cleaning: it started, or it was refused and
// this says why. A search and a cleaning never overlap, nor do two of either, because both read
// and change the same results.
class StartOutcome {
public:
    enum class Refusal {
        none,
        searchRunning,
        cleaningRunning,
        stopped,
    };

    static StartOutcome started() { return StartOutcome(Refusal::none); }
    static StartOutcome refused(Refusal refusal) { return StartOutcome(refusal); }

    bool isStarted() const { return refusal_ == Refusal::none; }
    Refusal refusal() const { return refusal_; }
    // The reason in words, for the log; empty when started.
    QString reason() const;

private:
    explicit StartOutcome(Refusal refusal)
        : refusal_(refusal) {}

    Refusal refusal_;
};

} // namespace sorvane
