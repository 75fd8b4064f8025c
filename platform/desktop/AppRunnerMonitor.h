#pragma once

#include "AppRunnerMonitorDelegate.h"
#include "RunningApplications.h"

#include <QHash>
#include <QStringList>

#include <memory>

class QTimer;

namespace sorvane {

// Tells its delegate, at a fixed interval, which of a fixed list of applications started or
// stopped running: the first check after start() reports every one, later checks only those
// whose state changed. While monitoring, its timer keeps it alive; stop() lets it go.
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
    // The new delegate hears of every application at the next check.
    void setDelegate(std::weak_ptr<AppRunnerMonitorDelegate> delegate) {
        delegate_ = std::move(delegate);
        reported_.clear();
    }
    bool isMonitoring() const { return timer_ != nullptr; }

    // Schedules a repeating check on the calling thread's event loop, the first one interval
    // from now. Does nothing while monitoring.
    void start();
    // Must be called on the thread that called start(). Does nothing when idle.
    void stop();
    // Reports, in order, each watched identifier whose state in the newest reading of the running
    // applications (taken at most one check ago) differs from what the delegate was last told,
    // and asks for a fresh reading.
    void check();

private:
    std::unique_ptr<QTimer> timer_;
    const QStringList identifiers_;
    const double interval_;
    std::weak_ptr<AppRunnerMonitorDelegate> delegate_;
    // What the delegate was last told of each identifier; none yet means it must hear it.
    QHash<QString, bool> reported_;
    RunningApplications running_;
};

} // namespace sorvane
