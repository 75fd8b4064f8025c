#pragma once

#include "finders/CategoryFinder.h"

namespace sorvane {

// The freedesktop trash: every trashed entry with the record that says where it came from, then
// the records whose entries are gone.
class FreedesktopTrashFinder final : public CategoryFinder {
public:
    FreedesktopTrashFinder();
    void search() override;
};

} // namespace sorvane
