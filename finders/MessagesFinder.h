#pragma once

#include "CategoryFinder.h"
namespace sorvane {

// The Messages application's container.
class MessagesFinder final : public CategoryFinder {
public:
    MessagesFinder();
    void search() override;
};

} // namespace sorvane
