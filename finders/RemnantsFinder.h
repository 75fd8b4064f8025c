#pragma once

#include "CategoryFinder.h"
namespace sorvane {

// Containers of applications that are no longer installed.
class RemnantsFinder final : public CategoryFinder {
public:
    RemnantsFinder();
    void search() override;
};

} // namespace sorvane
