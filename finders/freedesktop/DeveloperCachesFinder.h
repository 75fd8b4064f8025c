#pragma once

#include "finders/CategoryFinder.h"

namespace sorvane {

// The download and build caches of package managers and build tools, one group per tool, and
// the caches of the JetBrains IDE versions in use, one group per product.
class DeveloperCachesFinder final : public CategoryFinder {
public:
    DeveloperCachesFinder();
    void search() override;

private:
    void searchGoModules();
    void searchJetBrains();
};

} // namespace sorvane
