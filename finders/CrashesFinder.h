#pragma once

#include "CategoryFinder.h"
#include "platform/fs/Url.h"

namespace sorvane {

// Crash reports: those of some browsers and mail programs, then the system's crash reporter folder.
class CrashesFinder final : public CategoryFinder {
public:
    CrashesFinder();
    void search() override;

private:
    const Url crashReporterUrl_;
};

} // namespace sorvane
