#pragma once

#include "CleanerResult.h"
#include "CleaningReport.h"

#include <cstdint>
#include <memory>

namespace sorvane {

// Receives the engine's reports; every call arrives on the main thread.
class DiskCleanerDelegate {
public:
    virtual ~DiskCleanerDelegate() = default;

    virtual void cleanerDidStartSearch() = 0;
    virtual void cleanerDidFinishSearch() = 0;
    // The size of every selected item once a category has been searched.
    virtual void cleanerDidUpdateSelectedSize(std::uint64_t size) = 0;
    virtual void cleanerWillSearchCategory(const std::shared_ptr<CleanerResult>& result) = 0;
    // From 0 to 1.
    virtual void cleanerDidUpdateProgress(float progress) = 0;
    virtual void cleanerDidStartCleaning() = 0;
    // How far the cleaning has come, coalesced to a few reports a second.
    virtual void cleanerDidProgressCleaning(const CleaningProgress& /*progress*/) {}
    // What the cleaning did; right before cleanerDidFinishCleaning.
    virtual void cleanerDidSummarizeCleaning(const CleaningSummary& /*summary*/) {}
    virtual void cleanerDidFinishCleaning() = 0;
    // The search was stopped before every category was searched; right before
    // cleanerDidFinishSearch. The categories searched so far keep their results.
    virtual void cleanerDidStopSearch() {}

protected:
    DiskCleanerDelegate() = default;
    DiskCleanerDelegate(const DiskCleanerDelegate&) = default;
    DiskCleanerDelegate& operator=(const DiskCleanerDelegate&) = default;
};

} // namespace sorvane
