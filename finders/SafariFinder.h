#pragma once

#include "CategoryFinder.h"
namespace sorvane {

// Safari's cache.
class SafariFinder final : public CategoryFinder {
public:
    SafariFinder();
    void search() override;
};

} // namespace sorvane
