#pragma once

#include "finders/CategoryFinder.h"

#include <vector>

namespace sorvane {

// Programs built on Chromium or Electron that no category of their own reads, recognised by the
// disk cache Chromium keeps in their configuration folder: one group per program, holding the
// caches of the program's folder and of its profiles.
class ChromiumProgramsFinder final : public CategoryFinder {
public:
    ChromiumProgramsFinder();
    void search() override;

private:
    void consider(const Url& folder, const std::vector<Url>& claimed, bool nested);
};

} // namespace sorvane
