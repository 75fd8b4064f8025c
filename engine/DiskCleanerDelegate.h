#pragma once

#include "CleanerResult.h"

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
    virtual void cleanerDidFinishCleaning() = 0;

protected:
    DiskCleanerDelegate() = default;
    DiskCleanerDelegate(const DiskCleanerDelegate&) = default;
    DiskCleanerDelegate& operator=(const DiskCleanerDelegate&) = default;
};

} // namespace sorvane
