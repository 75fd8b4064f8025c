#pragma once

#include "SampleHome.h"

#include <cstdint>

namespace sorvane::tools {

// Lays out a Linux desktop's home by the freedesktop conventions with something for every
// category of that layout: caches of native, Snap and Flatpak programs with their profiles,
// thumbnails, a trash with its records (and records left without files), developer caches,
// replaced editor extensions and tool versions, and crash reports in the system root's
// var/crash. The same options give the same tree.
class FreedesktopSampleHome {
public:
    explicit FreedesktopSampleHome(SampleHomeOptions options);

    // Returns the number of files made.
    std::uint64_t build();

private:
    SampleHomeOptions options_;
};

} // namespace sorvane::tools
