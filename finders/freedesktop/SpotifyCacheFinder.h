#pragma once

#include "finders/CategoryFinder.h"

namespace sorvane {

// Spotify's downloaded and browser caches, installed natively, as a Flatpak or as a Snap.
class SpotifyCacheFinder final : public CategoryFinder {
public:
    SpotifyCacheFinder();
    void search() override;
};

} // namespace sorvane
