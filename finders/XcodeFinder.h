#pragma once

#include "CategoryFinder.h"
namespace sorvane {

// Xcode's build products, device-support folders and archives.
class XcodeFinder final : public CategoryFinder {
public:
    XcodeFinder();
    void search() override;
};

} // namespace sorvane
