#include "Schedule.h"

namespace sorvane {

namespace {

constexpr std::pair<Frequency, const char*> names[] = {
    {Frequency::daily, "daily"}, {Frequency::weekly, "weekly"}, {Frequency::monthly, "monthly"}};

} // namespace

std::optional<Frequency> Schedule::frequencyNamed(std::string_view name) {
    for (const auto& [frequency, word] : names) {
        if (name == word) {
            return frequency;
        }
    }
    return std::nullopt;
}

const char* Schedule::name(Frequency frequency) {
    for (const auto& [known, word] : names) {
        if (known == frequency) {
            return word;
        }
    }
    return "daily";
}

} // namespace sorvane
