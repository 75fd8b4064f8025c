#pragma once

#include "finders/CategoryFinder.h"

namespace sorvane {

// The reports the system's crash handler wrote for the user's own programs.
class CrashReportsFinder final : public CategoryFinder {
public:
    CrashReportsFinder();
    void search() override;
};

} // namespace sorvane
