#pragma once

#include "PngHead.h"

#include <cstddef>
#include <string_view>
#include <vector>

namespace sorvane {

// The table of an .icns icon container: after an 8-byte header ("icns" and the total length),
// entries of a four-letter type, a big-endian length that counts the entry's own 8 bytes, and
// the data. Bundles on every current system store their images as PNG streams, whatever the
// entry's type says.
class IcnsContainer {
public:
    // The bytes every container starts with.
    static constexpr std::string_view magic{"icns"};

    // One PNG stream inside the container, by where it lies in the container's bytes.
    struct PngEntry {
        std::size_t offset = 0;
        std::size_t length = 0;
        PngHead::Dimensions dimensions;
    };

    IcnsContainer() = delete;

    // The PNG entries, widest first and in file order among equals; none when the bytes are not
    // a container. An entry whose length runs past the end, or is too short to hold its own
    // header, ends the reading: nothing after it can be located.
    static std::vector<PngEntry> pngEntries(std::string_view bytes);
};

} // namespace sorvane
