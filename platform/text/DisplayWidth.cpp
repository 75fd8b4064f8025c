#include "DisplayWidth.h"

#include <QChar>

#include <array>
#include <utility>

namespace sorvane {

namespace {

// The wide ranges of East Asian scripts, full-width forms and emoji.
constexpr std::array<std::pair<char32_t, char32_t>, 10> wideRanges{{
    {0x1100, 0x115F},
    {0x2E80, 0x303E},
    {0x3041, 0xA4CF},
    {0xAC00, 0xD7A3},
    {0xF900, 0xFAFF},
    {0xFE30, 0xFE4F},
    {0xFF00, 0xFF60},
    {0xFFE0, 0xFFE6},
    {0x1F300, 0x1FAFF},
    {0x20000, 0x3FFFD},
}};

std::size_t columnsOf(char32_t c) {
    const auto category = QChar::category(c);
    if (category == QChar::Mark_NonSpacing || category == QChar::Mark_Enclosing || c == 0x200B) {
        return 0;
    }
    for (const auto& [first, last] : wideRanges) {
        if (c >= first && c <= last) {
            return 2;
        }
    }
    return 1;
}

} // namespace

std::size_t DisplayWidth::of(std::string_view text) {
    std::size_t width = 0;
    std::size_t at = 0;
    while (at < text.size()) {
        const auto lead = static_cast<unsigned char>(text[at]);
        const std::size_t length = lead < 0x80         ? 1
                                   : lead >> 5 == 0x6  ? 2
                                   : lead >> 4 == 0xE  ? 3
                                   : lead >> 3 == 0x1E ? 4
                                                       : 0;
        char32_t c = length == 1   ? lead
                     : length == 2 ? lead & 0x1F
                     : length == 3 ? lead & 0x0F
                                   : lead & 0x07;
        bool valid = length != 0 && at + length <= text.size();
        for (std::size_t i = 1; valid && i < length; ++i) {
            const auto next = static_cast<unsigned char>(text[at + i]);
            valid = next >> 6 == 0x2;
            c = (c << 6) | (next & 0x3F);
        }
        if (!valid) {
            ++width;
            ++at;
            continue;
        }
        width += columnsOf(c);
        at += length;
    }
    return width;
}

std::string DisplayWidth::padRight(std::string_view text, std::size_t width) {
    const std::size_t used = of(text);
    return std::string(text) + std::string(used < width ? width - used : 0, ' ');
}

std::string DisplayWidth::padLeft(std::string_view text, std::size_t width) {
    const std::size_t used = of(text);
    return std::string(used < width ? width - used : 0, ' ') + std::string(text);
}

} // namespace sorvane
