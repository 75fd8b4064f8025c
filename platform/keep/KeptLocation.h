#pragma once

#include "platform/fs/MeasuredSize.h"

#include <string>

namespace sorvane {

// A location the keep list keeps, found where something was offered, and what it holds.
struct KeptLocation {
    std::string path;
    // The keep-list entry that keeps it, as written.
    std::string entry;
    MeasuredSize size;
};

} // namespace sorvane
