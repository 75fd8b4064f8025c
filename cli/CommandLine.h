#pragma once

#include "platform/places/Layout.h"
#include "platform/schedule/Schedule.h"

#include <QDateTime>

#include <optional>
#include <string>
#include <variant>
#include <vector>

namespace sorvane::cli {

enum class Command { scan, clean, keep, history, schedule, help, version };

// What keep does with the keep list.
enum class KeepAction { list, add, remove };

// What the user asked for, checked for form only: category keys and locations are matched
// against the engine's findings later.
struct CommandLine {
    Command command = Command::help;
    bool json = false;
    bool items = false;
    bool yes = false;
    std::vector<std::string> categoryKeys;
    // Raw bytes, escapes already undone.
    std::vector<std::string> paths;
    KeepAction keepAction = KeepAction::list;
    // (keep add, keep remove) As given.
    std::vector<std::string> entries;
    std::optional<std::string> home;
    std::optional<std::string> root;
    // Given with --layout; otherwise SORVANE_LAYOUT or the home decides.
    std::optional<LayoutKind> layout;
    // (history) The oldest time shown.
    std::optional<QDateTime> since;

    // (clean) Leave out the categories whose program runs now; report keys no category has
    // and clean the others. Either makes an empty selection a run with nothing to do.
    bool skipRunning = false;
    bool skipUnknown = false;
    // (schedule) How often the cleaning runs, or --show, or --off.
    std::optional<Frequency> every;
    bool showSchedule = false;
    bool scheduleOff = false;
    // (scan, clean) Only what went unused for this many days counts; (schedule) passed on to
    // the scheduled clean.
    std::optional<int> olderThanDays;

    // The one-line reason the arguments cannot be run, or the parsed command line.
    static std::variant<CommandLine, std::string> parse(const std::vector<std::string>& arguments);
};

extern const char* const usageText;

} // namespace sorvane::cli
