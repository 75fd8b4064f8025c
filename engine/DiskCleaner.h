#pragma once

#include "IDiskCleaner.h"
#include "platform/fs/StopFlag.h"

#include <atomic>
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <thread>

namespace sorvane {

// The engine. A search runs every category's scan in order on a thread of its own and measures
// each item once, right after its category; a cleaning deletes the locations of the selected
// items on another and takes deleted items out of their results. Every category stays for the
// next search, however empty. A cleaning measures what it frees, writes each location's fate to
// the journal as it goes, and sums it all up at its end. Each thread keeps the engine alive until
// its work is done; every report reaches the delegate on the main thread, in order.
class DiskCleaner final : public IDiskCleaner, public std::enable_shared_from_this<DiskCleaner> {
    struct Passkey {};

public:
    // Builds the categories anew from the source at every search, so that each search starts
    // from fresh finders (the predefined list, which lives with the finders above this layer).
    using CategorySource = std::function<CategoryList()>;
    static std::shared_ptr<DiskCleaner> create(CategorySource source);
    // Runs only the given categories, in the given order.
    static std::shared_ptr<DiskCleaner> create(std::shared_ptr<IDiskCleanerCategory> category);
    static std::shared_ptr<DiskCleaner> create(CategoryList categories);

    DiskCleaner(Passkey, CategoryList categories, CategorySource source);

    bool isBusy() const override { return busy_.load(); }
    void setBusy(bool busy) override { busy_.store(busy); }
    CategoryList categories() const override;
    void setCategories(CategoryList categories) override;
    std::weak_ptr<DiskCleanerDelegate> delegate() const override;
    void setDelegate(std::weak_ptr<DiskCleanerDelegate> delegate) override;
    bool rebuildsCategories() const { return static_cast<bool>(source_); }

    int olderThanDays() const override { return olderThanDays_.load(); }
    void setOlderThanDays(int days) override { olderThanDays_.store(days); }

    std::uint64_t totalSize() const override;
    std::uint64_t selectedSize() const override;

    StartOutcome startSearch() override;
    StartOutcome startCleaning() override;
    void reset() override;
    void stop() override;
    void cancel() override;
    ~DiskCleaner() override;

private:
    enum class Work : std::uint8_t { none, search, cleaning };

    // The work itself; what it holds is gone when it returns.
    void search();
    CleaningSummary clean();
    // Gives up the claim and posts the work's last report. It runs after the work has returned,
    // so that whoever acts on the report (a new run, the end of the process) finds nothing of
    // the old run still being let go on its thread.
    void finish(Work work, CleaningSummary summary);
    // Claims the engine for the work, or says why not; the claim ends with the work's last
    // report.
    StartOutcome start(Work work);
    bool stopping() const;
    // Whether the run at hand was cancelled or the engine is stopping.
    bool ending() const { return stopping() || cancelled_.requested(); }
    // Measures each item once and keeps its size.
    void measure(const std::vector<std::shared_ptr<CleanerItem>>& items) const;
    // The selected size of the categories from their items' measured sizes.
    std::uint64_t measuredSelectedSize(const CategoryList& categories) const;
    // Hands a call of the delegate to the main thread; it looks the delegate up when it runs.
    void notify(std::function<void(DiskCleanerDelegate&)> call);

    mutable std::mutex mutex_; // guards categories_ and delegate_
    std::atomic<bool> busy_ = false;
    // Claimed by start() under threadMutex_, given back by the worker before its last report.
    std::atomic<Work> running_ = Work::none;
    std::atomic<bool> stopped_ = false;
    std::atomic<int> olderThanDays_ = 0;
    // Asked by cancel() of the run at hand; cleared when the next run is claimed.
    StopFlag cancelled_;
    std::mutex threadMutex_; // guards worker_
    std::thread worker_;
    CategoryList categories_;
    const CategorySource source_;
    std::weak_ptr<DiskCleanerDelegate> delegate_;
};

} // namespace sorvane
