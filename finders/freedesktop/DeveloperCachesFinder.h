#pragma once

#include "finders/CategoryFinder.h"

namespace sorvane {

// The download and build caches of package managers and build tools, one group per tool.
class DeveloperCachesFinder final : public CategoryFinder {
public:
    DeveloperCachesFinder();
    void search() override;
};

} // namespace sorvane
