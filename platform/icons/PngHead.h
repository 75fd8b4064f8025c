#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

namespace sorvane {

// What the start of a PNG stream declares about its image: the signature followed by the IHDR
// chunk, which the format requires to come first. Enough to choose among images without
// decoding any of them.
class PngHead {
public:
    // The eight bytes every PNG stream starts with.
    static constexpr std::string_view signature{"\x89PNG\r\n\x1a\n", 8};
    // The signature and the whole IHDR chunk up to its checksum.
    static constexpr std::size_t length = 8 + 8 + 13;

    struct Dimensions {
        std::uint32_t width = 0;
        std::uint32_t height = 0;

        friend bool operator==(const Dimensions&, const Dimensions&) = default;
    };

    PngHead() = delete;

    // The image's dimensions; nothing when the bytes do not start with a PNG signature and a
    // well-formed IHDR chunk, or declare a side of zero or beyond 2^31 - 1 pixels, which the
    // format forbids.
    static std::optional<Dimensions> read(std::string_view bytes);
};

} // namespace sorvane
