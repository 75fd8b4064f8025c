#pragma once

#include "FreedesktopBlocks.h"
#include "finders/CategoryFinder.h"

#include <vector>

namespace sorvane {

// Spotify's downloaded and browser caches, installed natively, as a Flatpak or as a Snap.
class SpotifyCacheFinder final : public CategoryFinder {
public:
    SpotifyCacheFinder();
    void search() override;

    static const std::vector<finder::Place>& roots();
};

} // namespace sorvane
