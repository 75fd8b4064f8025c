#pragma once

#include "AppRunnerMonitorDelegate.h"
#include "RunningApplications.h"

#include <QStringList>

#include <memory>

class QTimer;

namespace sorvane {

// Tells its delegate, at a fixed interval, which of a fixed list of applications are running.
// While monitoring, its timer keeps it alive; stop() lets it go.
class AppRunnerMonitor : public std::enable_shared_from_this<AppRunnerMonitor> {
    struct Passkey {};

public:
    static std::shared_ptr<AppRunnerMonitor> create(QStringList identifiers, double interval);
    AppRunnerMonitor(Passkey, QStringList identifiers, double interval);
    ~AppRunnerMonitor();
    AppRunnerMonitor(const AppRunnerMonitor&) = delete;
    AppRunnerMonitor& operator=(const AppRunnerMonitor&) = delete;

    const QStringList& identifiers() const { return identifiers_; }
    // Seconds between two checks.
    double interval() const { return interval_; }
    std::weak_ptr<AppRunnerMonitorDelegate> delegate() const { return delegate_; }
    void setDelegate(std::weak_ptr<AppRunnerMonitorDelegate> delegate) {
        delegate_ = std::move(delegate);
    }
    bool isMonitoring() const { return timer_ != nullptr; }

    // Schedules a repeating check on the calling thread's event loop, the first one interval
    // from now. Does nothing while monitoring.
    void start();
    // Must be called on the thread that called start(). Does nothing when idle.
    void stop();
    // Reports every watched identifier, in order, as the newest reading of the running
    // applications has it (taken at most one check ago), and asks for a fresh reading.
    void check();

private:
    std::unique_ptr<QTimer> timer_;
    const QStringList identifiers_;
    const double interval_;
    std::weak_ptr<AppRunnerMonitorDelegate> delegate_;
    RunningApplications running_;
};

} // namespace sorvane
