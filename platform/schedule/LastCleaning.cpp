#include "LastCleaning.h"

#include "platform/journal/CleaningJournal.h"

namespace sorvane {

std::optional<LastCleaning> LastCleaning::read() {
    const auto lines = CleaningJournal::read();
    if (lines.empty()) {
        return std::nullopt;
    }
    LastCleaning last;
    const std::string& newest = lines.back().cleaning;
    for (const auto& line : lines) {
        if (line.cleaning != newest) {
            continue;
        }
        if (last.time.empty()) {
            last.time = line.time;
        }
        // What stayed only because the keep list keeps it is no failure of the run.
        (line.removed ? last.removed : line.reason == "kept" ? last.kept : last.remaining) += 1;
    }
    return last;
}

} // namespace sorvane
