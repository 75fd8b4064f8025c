#pragma once

#include "CategoryFinder.h"
namespace sorvane {

// The cache entries of every Firefox profile.
class FirefoxFinder final : public CategoryFinder {
public:
    FirefoxFinder();
    void search() override;
};

} // namespace sorvane
