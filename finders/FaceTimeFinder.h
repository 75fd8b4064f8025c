#pragma once

#include "CategoryFinder.h"
namespace sorvane {

// The FaceTime application's container.
class FaceTimeFinder final : public CategoryFinder {
public:
    FaceTimeFinder();
    void search() override;
};

} // namespace sorvane
