#pragma once

#include "engine/DiskCleaner.h"

#include <memory>

namespace sorvane::cli {

// Runs the engine's search or cleaning to its end on the calling (main) thread's event loop,
// as the application does, but waiting for the result instead of showing progress.
class EngineSession {
public:
    // The categories run in the order given.
    explicit EngineSession(CategoryList categories);
    // Waits for the engine's thread, so that it never runs on into the end of the process.
    ~EngineSession();
    EngineSession(const EngineSession&) = delete;
    EngineSession& operator=(const EngineSession&) = delete;

    // Only what went unused for that many days counts at the next search; 0 for any age.
    void setOlderThanDays(int days);

    void search();
    // Deletes the locations of every selected item. The first SIGINT or SIGTERM meanwhile stops
    // the cleaning at its next entry, the second ends the process at once (status 130).
    void clean();
    // What the last cleaning did.
    const CleaningSummary& summary() const;
    // Whether an interrupt stopped the last cleaning.
    bool interrupted() const;
    // Every category of the session, also those a cleaning left empty.
    const CategoryList& categories() const { return categories_; }

private:
    class Waiter;

    CategoryList categories_;
    std::shared_ptr<DiskCleaner> cleaner_;
    std::shared_ptr<Waiter> waiter_;
};

} // namespace sorvane::cli
