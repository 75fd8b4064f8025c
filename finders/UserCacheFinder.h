#pragma once

#include "CategoryFinder.h"
#include "engine/DiskCleanerBlacklist.h"

namespace sorvane {

// Every application's folder in the caches folder, except those other finders own.
class UserCacheFinder final : public CategoryFinder {
public:
    UserCacheFinder();
    void search() override;

private:
    const DiskCleanerBlacklist userCacheBlacklist_;
};

} // namespace sorvane
