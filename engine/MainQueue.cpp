#include "MainQueue.h"

#include <QCoreApplication>
#include <QEvent>
#include <QObject>

#include <atomic>
#include <deque>
#include <mutex>
#include <utility>

namespace sorvane {

namespace {

class MainQueueReceiver final : public QObject {
public:
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
        // Locked before the event is even looked at: the event was made on another thread, and
        // this lock is what orders its making before this reading.
        std::unique_lock lock(mutex_);
        if (event->type() != wakeUpEvent()) {
            lock.unlock();
            return QObject::event(event);
        }
        std::deque<std::function<void()>> ready;
        ready.swap(blocks_);
        wakeUpPending_ = false;
        lock.unlock();
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

std::atomic<MainQueueReceiver*> receiver = nullptr;

// Made on the main thread while the application object is built, before any worker can post:
// a receiver made lazily by a worker would be handed to the main thread unordered.
void createReceiver() {
    if (receiver.load() == nullptr) {
        receiver.store(new MainQueueReceiver); // lives for the whole process
    }
}

} // namespace

Q_COREAPP_STARTUP_FUNCTION(createReceiver)

void MainQueue::post(std::function<void()> block) {
    if (QCoreApplication::instance() == nullptr) {
        return;
    }
    if (MainQueueReceiver* target = receiver.load()) {
        target->post(std::move(block));
    }
}

} // namespace sorvane
