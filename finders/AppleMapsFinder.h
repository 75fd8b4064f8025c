#pragma once

#include "CategoryFinder.h"
namespace sorvane {

// The Maps application's container and its suggestions cache.
class AppleMapsFinder final : public CategoryFinder {
public:
    AppleMapsFinder();
    void search() override;
};

} // namespace sorvane
