#pragma once

#include "CategoryFinder.h"
namespace sorvane {

// The Brave browser's cache folder.
class BraveFinder final : public CategoryFinder {
public:
    BraveFinder();
    void search() override;
};

} // namespace sorvane
