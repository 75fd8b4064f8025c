#pragma once

#include "DiskCleanerDelegate.h"
#include "IDiskCleanerCategory.h"
#include "StartOutcome.h"

#include <cstdint>
#include <memory>

namespace sorvane {

// Runs categories on a worker thread and deletes what the user selected.
class IDiskCleaner {
public:
    virtual ~IDiskCleaner() = default;

    // True while a search runs; safe to read from any thread.
    virtual bool isBusy() const = 0;
    virtual void setBusy(bool busy) = 0;
    // In run order.
    virtual CategoryList categories() const = 0;
    virtual void setCategories(CategoryList categories) = 0;
    virtual std::weak_ptr<DiskCleanerDelegate> delegate() const = 0;
    virtual void setDelegate(std::weak_ptr<DiskCleanerDelegate> delegate) = 0;

    // How many days an entry must have gone unused to count, 0 for any age; the cutoff is taken
    // when each search starts, and a cleaning takes what its search offered by that cutoff.
    virtual int olderThanDays() const = 0;
    virtual void setOlderThanDays(int days) = 0;
    // Sizes of all, or of the selected, items of all categories, measured now.
    virtual std::uint64_t totalSize() const = 0;
    virtual std::uint64_t selectedSize() const = 0;

    // Both return at once; the work runs on a thread of its own. While a search or a cleaning
    // runs, or once the engine is stopped, either is refused and changes nothing. A run counts
    // as over from the moment its last report is posted, so the delegate's handler of that
    // report may start the next one.
    virtual StartOutcome startSearch() = 0;
    virtual StartOutcome startCleaning() = 0;
    // Empties every category's items.
    virtual void reset() = 0;
    // Stops a running search or cleaning at its next item (at its next entry too once the
    // process's shutdown has begun) and waits until its thread has ended; later starts are
    // refused.
    virtual void stop() = 0;
    // Stops a running search at its next category, or a running cleaning at its next entry,
    // without waiting; the run then ends as usual, and later starts are allowed. A no-op when
    // nothing runs.
    virtual void cancel() = 0;

protected:
    IDiskCleaner() = default;
    IDiskCleaner(const IDiskCleaner&) = default;
    IDiskCleaner& operator=(const IDiskCleaner&) = default;
};

} // namespace sorvane
