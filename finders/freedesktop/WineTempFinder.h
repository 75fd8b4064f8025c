#pragma once

#include "finders/CategoryFinder.h"

namespace sorvane {

// What Windows programs left in the temporary folders of each Wine prefix: the default prefix
// and the prefixes kept in the data folder, one group per prefix.
class WineTempFinder final : public CategoryFinder {
public:
    WineTempFinder();
    void search() override;
};

} // namespace sorvane
