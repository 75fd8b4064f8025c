#pragma once

#include <array>
#include <cstdint>
#include <optional>

namespace sorvane {

// How serious an entry is; a greater raw value is more serious.
enum class CleanerSeverity : std::int64_t {
    low = 0,
    medium = 1,
    high = 2,
    critical = 3,
};

inline constexpr std::array allCleanerSeverities{CleanerSeverity::low, CleanerSeverity::medium,
                                                 CleanerSeverity::high, CleanerSeverity::critical};

// No severity for raw values outside 0...3.
constexpr std::optional<CleanerSeverity> cleanerSeverityFromRawValue(std::int64_t rawValue) {
    if (rawValue < 0 || rawValue > 3) {
        return std::nullopt;
    }
    return static_cast<CleanerSeverity>(rawValue);
}

constexpr std::int64_t rawValue(CleanerSeverity severity) {
    return static_cast<std::int64_t>(severity);
}

} // namespace sorvane
