#pragma once

#include "CategoryFinder.h"
namespace sorvane {

// Spotify's browser and data caches and its installer cache.
class SpotifyFinder final : public CategoryFinder {
public:
    SpotifyFinder();
    void search() override;
};

} // namespace sorvane
