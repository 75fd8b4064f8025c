#pragma once

#include <QString>

namespace sorvane {

class AppRunnerMonitorDelegate {
public:
    virtual ~AppRunnerMonitorDelegate() = default;

    // Called for every watched identifier on the first check, then only when its state
    // changed.
    virtual void didUpdate(const QString& identifier, bool isRunning) = 0;

protected:
    AppRunnerMonitorDelegate() = default;
    AppRunnerMonitorDelegate(const AppRunnerMonitorDelegate&) = default;
    AppRunnerMonitorDelegate& operator=(const AppRunnerMonitorDelegate&) = default;
};

} // namespace sorvane
