#include "ScheduleCommand.h"

#include "CategoryCatalog.h"
#include "platform/fs/Path.h"
#include "platform/places/Layout.h"
#include "platform/places/SystemRoot.h"
#include "platform/schedule/LastCleaning.h"
#include "platform/schedule/ScheduleUnits.h"
#include "platform/schedule/UserServiceManager.h"
#include "platform/text/EscapedText.h"

#include <algorithm>

namespace sorvane::cli {

namespace {

constexpr int usageError = 2;
constexpr int notDone = 1;

int complain(const std::string& message, int status) {
    std::fprintf(stderr, "sorvane-cli: %s\n", message.c_str());
    return status;
}

ScheduleUnits unitsFor(const CommandLine& line) {
    return ScheduleUnits(ScheduleUnits::userFolder(
        line.home ? std::optional(Path::absolute(*line.home)) : std::nullopt));
}

std::string joined(const std::vector<std::string>& words) {
    std::string text;
    for (const auto& word : words) {
        text += (text.empty() ? "" : ", ") + EscapedText::escape(word);
    }
    return text;
}

void writeSchedule(std::FILE* out, const Schedule& schedule) {
    std::fprintf(out, "Runs: %s\n", Schedule::name(schedule.every));
    std::fprintf(out, "Categories: %s\n", joined(schedule.categories).c_str());
    if (schedule.olderThanDays) {
        std::fprintf(out, "Older than: %d days\n", *schedule.olderThanDays);
    } else {
        std::fprintf(out, "Older than: any age\n");
    }
}

void writeLastCleaning(std::FILE* out) {
    const auto last = LastCleaning::read();
    if (!last) {
        std::fprintf(out, "Last cleaning: none in the journal\n");
        return;
    }
    std::fprintf(out,
                 "Last cleaning: %s, %zu removed, %zu remaining, %zu kept (sorvane-cli history)\n",
                 last->time.c_str(), last->removed, last->remaining, last->kept);
}

} // namespace

int ScheduleCommand::run(std::FILE* out) const {
    if (line_.every) {
        return set(out);
    }
    return line_.showSchedule ? show(out) : off(out);
}

std::vector<std::string> ScheduleCommand::cleanCommand(const std::string& program) const {
    // The service runs without this shell's variables and folder: everything that chose the
    // home, the system root and the layout is written out.
    std::vector<std::string> options;
    if (line_.home) {
        options.insert(options.end(), {"--home", Path::absolute(*line_.home)});
    }
    if (const std::string root = SystemRoot::path(); !root.empty()) {
        options.insert(options.end(), {"--root", root});
    }
    options.insert(options.end(), {"--layout", Layout::name(Layout::current())});
    return ScheduleUnits::cleanCommand(
        program, {*line_.every, line_.categoryKeys, line_.olderThanDays}, options);
}

int ScheduleCommand::set(std::FILE* out) const {
    if (const auto matched = CategoryCatalog::build().match(line_.categoryKeys);
        std::holds_alternative<std::string>(matched)) {
        return complain(std::get<std::string>(matched), usageError);
    }
    const auto program = ScheduleUnits::runningProgram();
    if (!program) {
        return complain("cannot tell where this program lies (/proc/self/exe)", notDone);
    }
    const ScheduleUnits units = unitsFor(line_);
    if (const auto problem = units.write(*line_.every, cleanCommand(*program))) {
        return complain("cannot write the schedule: " + *problem, notDone);
    }
    std::fprintf(out, "Wrote %s\nWrote %s\n", EscapedText::escape(units.servicePath()).c_str(),
                 EscapedText::escape(units.timerPath()).c_str());
    writeSchedule(out, {*line_.every, line_.categoryKeys, line_.olderThanDays});
    if (const auto problem = UserServiceManager::enable(ScheduleUnits::timerName)) {
        std::string commands;
        for (const auto& command : UserServiceManager::enableCommands(ScheduleUnits::timerName)) {
            commands += "\n  " + command;
        }
        return complain(
            "the units are written but not enabled: no user service manager answered (" + *problem +
                "). Once you are logged in to a session, enable them with:" + commands,
            notDone);
    }
    std::fprintf(out, "Enabled %s; next run: %s\n", ScheduleUnits::timerName,
                 UserServiceManager::nextRun(ScheduleUnits::timerName).value_or("unknown").c_str());
    return 0;
}

int ScheduleCommand::show(std::FILE* out) const {
    const ScheduleUnits units = unitsFor(line_);
    if (!units.present()) {
        std::fprintf(out, "Nothing is scheduled (no %s in %s).\n", ScheduleUnits::timerName,
                     EscapedText::escape(units.folder()).c_str());
        return 0;
    }
    const auto installed = units.read();
    if (!installed) {
        return complain("the units in " + EscapedText::escape(units.folder()) +
                            " do not read as sorvane-cli schedule writes them; write them anew "
                            "with schedule --every or remove them with schedule --off",
                        notDone);
    }
    writeSchedule(out, installed->schedule);
    std::fprintf(out, "Units: %s, %s\n", EscapedText::escape(units.timerPath()).c_str(),
                 EscapedText::escape(units.servicePath()).c_str());
    const auto next = UserServiceManager::nextRun(ScheduleUnits::timerName);
    std::fprintf(out, "Next run: %s\n",
                 next ? next->c_str()
                      : "unknown (no user service manager tells, or the timer is "
                        "not enabled)");
    writeLastCleaning(out);
    return 0;
}

int ScheduleCommand::off(std::FILE* out) const {
    const ScheduleUnits units = unitsFor(line_);
    if (!units.present()) {
        std::fprintf(out, "Nothing is scheduled; nothing changed.\n");
        return 0;
    }
    // Without a manager nothing is loaded that could still fire; the files are what count.
    const auto disabling = UserServiceManager::disable(ScheduleUnits::timerName);
    if (const auto problem = units.remove()) {
        return complain("cannot remove the schedule: " + *problem, notDone);
    }
    std::fprintf(out, "Removed %s and %s\n", EscapedText::escape(units.timerPath()).c_str(),
                 EscapedText::escape(units.servicePath()).c_str());
    if (disabling) {
        std::fprintf(out,
                     "No user service manager disabled the timer (%s); it cannot run again "
                     "now that its units are gone.\n",
                     disabling->c_str());
    } else {
        UserServiceManager::reload();
    }
    return 0;
}

} // namespace sorvane::cli
