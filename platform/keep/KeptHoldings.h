#pragma once

#include "KeepList.h"
#include "KeptLocation.h"

#include <vector>

namespace sorvane {

// What one keep-list entry holds now: every location it names, outermost only, each measured.
// Walks only the folders on the way to what the entry may name.
class KeptHoldings {
public:
    KeptHoldings() = delete;

    static std::vector<KeptLocation> of(const KeepRule& rule);
};

} // namespace sorvane
