#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace sorvane {

// How many columns of a terminal a text takes: one per character, two for the wide characters
// of East Asian scripts and emoji, none for combining marks; each byte that is no UTF-8 counts
// one. Byte counts would push the rest of a line left by one column per accented letter.
class DisplayWidth {
public:
    DisplayWidth() = delete;

    static std::size_t of(std::string_view text);
    // The text followed, or preceded, by spaces up to the width; unchanged when wider.
    static std::string padRight(std::string_view text, std::size_t width);
    static std::string padLeft(std::string_view text, std::size_t width);
};

} // namespace sorvane
