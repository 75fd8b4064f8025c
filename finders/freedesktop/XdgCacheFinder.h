#pragma once

#include "finders/CategoryFinder.h"

#include <string>
#include <vector>

namespace sorvane {

// Every entry of the cache base folder except those that other categories read.
class XdgCacheFinder final : public CategoryFinder {
public:
    XdgCacheFinder();
    void search() override;

    // The names in the cache folder that belong to other categories.
    static const std::vector<std::string>& claimedNames();
};

} // namespace sorvane
