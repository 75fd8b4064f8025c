#include "WorkerPool.h"

#include <algorithm>
#include <utility>

namespace sorvane {

WorkerPool& WorkerPool::shared() {
    // Twice the cores: a walk of a cold tree waits on the disk, and more requests in flight
    // keep it busy; on a warm tree the extra threads mostly sleep.
    static WorkerPool pool(std::clamp<std::size_t>(2 * std::thread::hardware_concurrency(), 2, 16));
    return pool;
}

WorkerPool::WorkerPool(std::size_t threadCount) {
    threads_.reserve(threadCount);
    for (std::size_t i = 0; i < threadCount; ++i) {
        threads_.emplace_back([this] { workerLoop(); });
    }
}

WorkerPool::~WorkerPool() {
    {
        const std::lock_guard lock(mutex_);
        stopping_ = true;
    }
    wake_.notify_all();
    for (auto& thread : threads_) {
        thread.join();
    }
}

bool WorkerPool::wantsWork() const {
    return idle_.load(std::memory_order_relaxed) > 0 &&
           queued_.load(std::memory_order_relaxed) < threads_.size();
}

WorkerPool::Group::~Group() {
    if (WorkerPool* pool = pool_.load()) {
        pool->waitFor(*this);
    }
}

void WorkerPool::submit(Group& group, std::function<void()> task) {
    group.pool_ = this;
    group.pending_.fetch_add(1);
    {
        const std::lock_guard lock(mutex_);
        queue_.push_back(Task{&group, std::move(task)});
        queued_.store(queue_.size(), std::memory_order_relaxed);
    }
    wake_.notify_one();
}

void WorkerPool::runTask(std::unique_lock<std::mutex>& lock) {
    Task task = std::move(queue_.front());
    queue_.pop_front();
    queued_.store(queue_.size(), std::memory_order_relaxed);
    lock.unlock();
    std::exception_ptr failure;
    try {
        task.work();
    } catch (...) {
        failure = std::current_exception();
    }
    task.work = nullptr;
    lock.lock();
    if (failure && !task.group->failure_) {
        task.group->failure_ = failure;
    }
    // Under the lock, so that a waiter that has just found its group busy cannot miss this.
    if (task.group->pending_.fetch_sub(1) == 1) {
        wake_.notify_all();
    }
}

void WorkerPool::workerLoop() {
    std::unique_lock lock(mutex_);
    for (;;) {
        if (!queue_.empty()) {
            runTask(lock);
            continue;
        }
        if (stopping_) {
            return;
        }
        idle_.fetch_add(1, std::memory_order_relaxed);
        wake_.wait(lock, [this] { return stopping_ || !queue_.empty(); });
        idle_.fetch_sub(1, std::memory_order_relaxed);
    }
}

void WorkerPool::waitFor(Group& group) {
    std::unique_lock lock(mutex_);
    while (group.pending_.load() != 0) {
        if (!queue_.empty()) {
            runTask(lock);
        } else {
            wake_.wait(lock, [&] { return group.pending_.load() == 0 || !queue_.empty(); });
        }
    }
}

void WorkerPool::runUntilDone(Group& group) {
    waitFor(group);
    std::exception_ptr failure;
    {
        const std::lock_guard lock(mutex_);
        failure = std::exchange(group.failure_, nullptr);
    }
    if (failure) {
        std::rethrow_exception(failure);
    }
}

} // namespace sorvane
