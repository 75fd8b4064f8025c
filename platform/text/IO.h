#pragma once

#include <QLocale>

#include <cstdint>
#include <string>

namespace sorvane {

class IO {
public:
    IO() = delete;

    // A byte count as short text in powers of 1024 ("0 B", "1.5 KB", "117.7 MB", "16 EB"),
    // always with "." as the decimal point.
    static std::string formattedSize(std::uint64_t bytes);
    // The same with the locale's decimal point.
    static std::string formattedSize(std::uint64_t bytes, const QLocale& locale);
};

} // namespace sorvane
