#include "IO.h"

#include <array>
#include <charconv>

namespace sorvane {

namespace {

struct Unit {
    const char* name;
    int shift;
    int decimals;
};

// Chosen by the first unit whose limit the count stays below; the last takes everything above.
constexpr std::array<Unit, 6> decimalUnits{{
    {"KB", 10, 2},
    {"MB", 20, 1},
    {"GB", 30, 2},
    {"TB", 40, 2},
    {"PB", 50, 2},
    {"EB", 60, 2},
}};

std::string trimmedNumber(double value, int decimals) {
    // to_chars ignores the process locale, which the application sets from the user's.
    std::array<char, 64> text{};
    const auto written = std::to_chars(text.data(), text.data() + text.size(), value,
                                       std::chars_format::fixed, decimals);
    std::string number(text.data(), written.ptr);
    while (!number.empty() && number.back() == '0') {
        number.pop_back();
    }
    if (!number.empty() && (number.back() < '0' || number.back() > '9')) {
        number.pop_back();
    }
    return number;
}

} // namespace

std::string IO::formattedSize(std::uint64_t bytes) {
    if (bytes < 1024) {
        return std::to_string(bytes) + " B";
    }
    for (std::size_t i = 0; i < decimalUnits.size(); ++i) {
        const Unit& unit = decimalUnits[i];
        const bool last = i + 1 == decimalUnits.size();
        if (last || bytes < (std::uint64_t{1} << (unit.shift + 10))) {
            const double value =
                static_cast<double>(bytes) / static_cast<double>(std::uint64_t{1} << unit.shift);
            return trimmedNumber(value, unit.decimals) + " " + unit.name;
        }
    }
    return {};
}

std::string IO::formattedSize(std::uint64_t bytes, const QLocale& locale) {
    std::string text = formattedSize(bytes);
    const std::string point = locale.decimalPoint().toStdString();
    if (const auto at = text.find('.'); at != std::string::npos) {
        text.replace(at, 1, point);
    }
    return text;
}

} // namespace sorvane
