#pragma once

#include "CategoryFinder.h"
namespace sorvane {

// The Music application's cache and the album artwork it keeps.
class AppleMusicFinder final : public CategoryFinder {
public:
    AppleMusicFinder();
    void search() override;
};

} // namespace sorvane
