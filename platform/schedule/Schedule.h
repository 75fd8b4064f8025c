#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace sorvane {

// How often the unattended cleaning runs: the calendar words the service manager knows.
enum class Frequency { daily, weekly, monthly };

// An unattended cleaning: how often, which categories by key, and from what age on.
struct Schedule {
    Frequency every = Frequency::daily;
    std::vector<std::string> categories;
    std::optional<int> olderThanDays;

    bool operator==(const Schedule&) const = default;

    static std::optional<Frequency> frequencyNamed(std::string_view name);
    static const char* name(Frequency frequency);
};

} // namespace sorvane
