#pragma once

#include "finders/CategoryFinder.h"

namespace sorvane {

// Replaced versions that tools keep beside the current one: editor extensions marked obsolete,
// then the folders of older JetBrains tool versions.
class FreedesktopOldVersionsFinder final : public CategoryFinder {
public:
    FreedesktopOldVersionsFinder();
    void search() override;
};

} // namespace sorvane
