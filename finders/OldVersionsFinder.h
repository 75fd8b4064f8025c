#pragma once

#include "CategoryFinder.h"
namespace sorvane {

// Older versions that installed applications keep inside their bundles.
class OldVersionsFinder : public CategoryFinder {
public:
    OldVersionsFinder();
    void search() override;
};

} // namespace sorvane
