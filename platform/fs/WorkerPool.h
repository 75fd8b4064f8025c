#pragma once

#include <atomic>
#include <condition_variable>
#include <cstddef>
#include <deque>
#include <exception>
#include <functional>
#include <mutex>
#include <thread>
#include <vector>

namespace sorvane {

// A set of threads, started once and shared by every tree walk of the process, that run
// pieces of a walk handed to them. A caller that waits for its pieces runs queued ones itself
// instead of sleeping, so a walk never waits on a pool busy with others' work.
class WorkerPool {
public:
    static WorkerPool& shared();

    // The pieces of one job handed to a pool: counted until each has run, with the first
    // exception one of them threw. Going out of scope it waits for every piece it counts, so
    // state that the pieces use outlives them when it is declared before the group.
    class Group {
    public:
        Group() = default;
        ~Group();
        Group(const Group&) = delete;
        Group& operator=(const Group&) = delete;

        bool isEmpty() const { return pending_.load() == 0; }

    private:
        friend class WorkerPool;
        std::atomic<std::size_t> pending_ = 0;
        std::atomic<WorkerPool*> pool_ = nullptr; // pieces are submitted from several threads
        std::exception_ptr failure_;              // guarded by the pool's mutex
    };

    explicit WorkerPool(std::size_t threadCount);
    ~WorkerPool();
    WorkerPool(const WorkerPool&) = delete;
    WorkerPool& operator=(const WorkerPool&) = delete;

    std::size_t threadCount() const { return threads_.size(); }
    // Whether a thread is idle and nothing much waits in the queue: only then is handing off
    // work cheaper than doing it. A hint, read without a lock.
    bool wantsWork() const;
    // Queues a piece of work; group counts it until it has run. A group belongs to one pool.
    void submit(Group& group, std::function<void()> task);
    // Runs queued work on the calling thread until every piece counted by group has run, then
    // rethrows the first exception that one of them threw.
    void runUntilDone(Group& group);

private:
    void workerLoop();
    void runTask(std::unique_lock<std::mutex>& lock);
    void waitFor(Group& group);

    struct Task {
        Group* group;
        std::function<void()> work;
    };

    std::mutex mutex_;
    std::condition_variable wake_;
    std::deque<Task> queue_;
    std::atomic<std::size_t> queued_ = 0;
    std::atomic<std::size_t> idle_ = 0;
    bool stopping_ = false;
    std::vector<std::thread> threads_;
};

} // namespace sorvane
