#pragma once

#include <cstdint>
#include <string_view>

namespace sorvane {

// Unsigned numbers stored most significant byte first, as in PNG and .icns files.
class BigEndian {
public:
    BigEndian() = delete;

    // The four bytes at an offset that the caller has checked lie inside the bytes.
    static constexpr std::uint32_t word(std::string_view bytes, std::size_t at) {
        return (std::uint32_t(std::uint8_t(bytes[at])) << 24) |
               (std::uint32_t(std::uint8_t(bytes[at + 1])) << 16) |
               (std::uint32_t(std::uint8_t(bytes[at + 2])) << 8) |
               std::uint32_t(std::uint8_t(bytes[at + 3]));
    }
};

} // namespace sorvane
