#include "AppRunnerMonitor.h"

#include <QTimer>

#include <cmath>

namespace sorvane {

std::shared_ptr<AppRunnerMonitor> AppRunnerMonitor::create(QStringList identifiers,
                                                           double interval) {
    return std::make_shared<AppRunnerMonitor>(Passkey{}, std::move(identifiers), interval);
}

AppRunnerMonitor::AppRunnerMonitor(Passkey /*unused*/, QStringList identifiers, double interval)
    : identifiers_(std::move(identifiers))
    , interval_(interval) {}

AppRunnerMonitor::~AppRunnerMonitor() = default;

void AppRunnerMonitor::start() {
    if (timer_) {
        return;
    }
    // The first check of every run tells the whole state again.
    reported_.clear();
    timer_ = std::make_unique<QTimer>();
    timer_->setTimerType(Qt::PreciseTimer);
    timer_->setInterval(std::max(1, static_cast<int>(std::lround(interval_ * 1000.0))));
    // The connection holds the monitor, so a running monitor needs no other owner.
    QObject::connect(timer_.get(), &QTimer::timeout,
                     [self = shared_from_this()] { self->check(); });
    timer_->start();
}

void AppRunnerMonitor::stop() {
    // Destroying the timer drops the connection and with it the monitor's hold on itself; the
    // timer must not be deleted from inside its own timeout while that is running.
    if (auto timer = std::move(timer_)) {
        timer->stop();
        timer.release()->deleteLater();
    }
    // The reader must not outlive the monitor's use: a monitor whose timer is never deleted
    // (no event loop left to do it) would otherwise keep reading into the end of the process.
    running_.stop();
}

void AppRunnerMonitor::check() {
    const auto running = running_.latest();
    if (identifiers_.isEmpty()) {
        return;
    }
    const auto delegate = delegate_.lock();
    if (!delegate) {
        return;
    }
    for (const QString& identifier : identifiers_) {
        const bool isRunning = running->contains(identifier);
        const auto told = reported_.constFind(identifier);
        if (told != reported_.constEnd() && *told == isRunning) {
            continue;
        }
        reported_.insert(identifier, isRunning);
        delegate->didUpdate(identifier, isRunning);
    }
}

} // namespace sorvane
