#pragma once

#include "CategoryFinder.h"
namespace sorvane {

// Everything in the trash.
class RecycleBinFinder : public CategoryFinder {
public:
    RecycleBinFinder();
    void search() override;
};

} // namespace sorvane
