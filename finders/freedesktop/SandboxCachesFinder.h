#pragma once

#include "finders/CategoryFinder.h"

namespace sorvane {

// The cache folders that Flatpak and Snap give each sandboxed application in place of the
// user's cache folder: one group per application, named as its menu entry is, holding every
// entry of its cache folders except those the categories of one program read.
class SandboxCachesFinder final : public CategoryFinder {
public:
    SandboxCachesFinder();
    void search() override;
};

} // namespace sorvane
