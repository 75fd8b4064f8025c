#include "MainQueue.h"

#include <QCoreApplication>
#include <QEvent>
#include <QObject>

#include <deque>
#include <mutex>
#include <utility>

namespace sorvane {

namespace {

class MainQueueReceiver final : public QObject {
public:
    static MainQueueReceiver& shared() {
        // Created on first use from whatever thread, then handed to the main thread.
        static MainQueueReceiver* instance = [] {
            auto* receiver = new MainQueueReceiver; // lives for the whole process
            receiver->moveToThread(QCoreApplication::instance()->thread());
            return receiver;
        }();
        return *instance;
    }

    void post(std::function<void()> block) {
        const std::lock_guard lock(mutex_);
        blocks_.push_back(std::move(block));
        if (wakeUpPending_) {
            return;
        }
        wakeUpPending_ = true;
        // Made while the lock is held: the main thread frees the event only after taking the
        // same lock in event(), which orders the two for thread checkers as well.
        QCoreApplication::postEvent(this, new QEvent(wakeUpEvent()));
    }

protected:
    bool event(QEvent* event) override {
        if (event->type() != wakeUpEvent()) {
            return QObject::event(event);
        }
        std::deque<std::function<void()>> ready;
        {
            const std::lock_guard lock(mutex_);
            ready.swap(blocks_);
            wakeUpPending_ = false;
        }
        for (auto& block : ready) {
            block();
        }
        return true;
    }

private:
    static QEvent::Type wakeUpEvent() {
        static const auto type = static_cast<QEvent::Type>(QEvent::registerEventType());
        return type;
    }

    std::mutex mutex_;
    std::deque<std::function<void()>> blocks_;
    bool wakeUpPending_ = false;
};

} // namespace

void MainQueue::post(std::function<void()> block) {
    if (QCoreApplication::instance() == nullptr) {
        return;
    }
    MainQueueReceiver::shared().post(std::move(block));
}

} // namespace sorvane
