#pragma once

#include "finders/CategoryFinder.h"

namespace sorvane {

// Logs that only the next problem report would want: the graphical session's, and those the
// programs with categories of their own write beside their caches, one group per program.
class LogsFinder final : public CategoryFinder {
public:
    LogsFinder();
    void search() override;
};

} // namespace sorvane
