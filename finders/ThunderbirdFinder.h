#pragma once

#include "CategoryFinder.h"
namespace sorvane {

// Thunderbird's cache folder.
class ThunderbirdFinder final : public CategoryFinder {
public:
    ThunderbirdFinder();
    void search() override;
};

} // namespace sorvane
