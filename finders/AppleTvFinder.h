#pragma once

#include "CategoryFinder.h"
namespace sorvane {

// The TV application's cache.
class AppleTvFinder final : public CategoryFinder {
public:
    AppleTvFinder();
    void search() override;
};

} // namespace sorvane
