#pragma once

#include "Schedule.h"

#include <optional>
#include <string>
#include <vector>

namespace sorvane {

// The two unit files of the unattended cleaning in the user's systemd folder: a timer that
// starts, at the chosen frequency, a service that runs the CLI's clean command with the idle
// share of the processor and the disk. The service's command line is the one record of what is
// scheduled; reading the units reads it back.
class ScheduleUnits {
public:
    static constexpr const char* serviceName = "sorvane-clean.service";
    static constexpr const char* timerName = "sorvane-clean.timer";

    // folder: the user's systemd folder, where the units lie.
    explicit ScheduleUnits(std::string folder);

    // $XDG_CONFIG_HOME/systemd/user when that variable holds an absolute path, else
    // <home>/.config/systemd/user; with a home given, always below it.
    static std::string userFolder(const std::optional<std::string>& home);
    // The program this process runs, as the kernel knows it; nothing when it cannot be read.
    static std::optional<std::string> runningProgram();

    const std::string& folder() const { return folder_; }
    std::string servicePath() const { return folder_ + "/" + serviceName; }
    std::string timerPath() const { return folder_ + "/" + timerName; }

    // The command line the service runs: the CLI's unattended clean of the schedule's
    // categories, followed by the options that choose the home, root and layout of the run.
    static std::vector<std::string> cleanCommand(const std::string& program,
                                                 const Schedule& schedule,
                                                 const std::vector<std::string>& runOptions);
    // The sorvane-cli beside the given program (an installation puts both in one folder), else
    // the one on the search path; nothing when there is none.
    static std::optional<std::string> cliBeside(const std::string& program);

    static std::string serviceText(const std::vector<std::string>& command);
    static std::string timerText(Frequency every);

    // Writes both units (the folders on the way made as needed) for the command given; the
    // reason they could not be written, if they could not.
    std::optional<std::string> write(Frequency every,
                                     const std::vector<std::string>& command) const;

    struct Installed {
        Schedule schedule;
        std::vector<std::string> command;
    };
    // Whether either unit is there.
    bool present() const;
    // What the units say; nothing when they are missing or do not read as written here.
    std::optional<Installed> read() const;
    // Removes both units and the link an enabling left in timers.target.wants, each as the
    // entry it is (a link is removed, not followed); the reason one stayed, if one did.
    std::optional<std::string> remove() const;

private:
    std::string folder_;
};

} // namespace sorvane
