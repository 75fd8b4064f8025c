#include "ScheduleUnits.h"

#include "SystemdCommandLine.h"
#include "platform/fs/Anchor.h"
#include "platform/fs/FileReplacement.h"
#include "platform/fs/RegularFile.h"

#include <QLoggingCategory>
#include <QStandardPaths>

#include <array>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <limits.h>
#include <sys/stat.h>
#include <unistd.h>

namespace sorvane {

Q_LOGGING_CATEGORY(scheduleLog, "sorvane.schedule")

namespace {

constexpr int folderFlags = O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC;
constexpr std::uint64_t unitLimit = 64U << 10U;
constexpr const char* wantsFolder = "timers.target.wants";

std::string describe(const std::string& where, int error) {
    return where + ": " + std::strerror(error);
}

// The value of the first "key=" line of a unit.
std::optional<std::string> valueOf(const std::string& unit, const std::string& key) {
    std::size_t at = 0;
    while (at < unit.size()) {
        const std::size_t end = std::min(unit.find('\n', at), unit.size());
        const std::string line = unit.substr(at, end - at);
        if (line.starts_with(key + "=")) {
            return line.substr(key.size() + 1);
        }
        at = end + 1;
    }
    return std::nullopt;
}

// The schedule a clean command line holds: its categories and age.
std::optional<Schedule> scheduleOf(const std::vector<std::string>& command) {
    Schedule schedule;
    for (std::size_t i = 1; i + 1 < command.size(); ++i) {
        if (command[i] == "--category") {
            schedule.categories.push_back(command[++i]);
        } else if (command[i] == "--older-than") {
            const std::string& days = command[++i];
            char* end = nullptr;
            const long value = std::strtol(days.c_str(), &end, 10);
            if (days.empty() || *end != '\0' || value <= 0 || value > INT_MAX) {
                return std::nullopt;
            }
            schedule.olderThanDays = static_cast<int>(value);
        }
    }
    if (schedule.categories.empty()) {
        return std::nullopt;
    }
    return schedule;
}

} // namespace

ScheduleUnits::ScheduleUnits(std::string folder)
    : folder_(std::move(folder)) {}

std::string ScheduleUnits::userFolder(const std::optional<std::string>& home) {
    const char* config = std::getenv("XDG_CONFIG_HOME"); // NOLINT(concurrency-mt-unsafe)
    if (!home && config != nullptr && config[0] == '/') {
        return std::string(config) + "/systemd/user";
    }
    const char* variable = std::getenv("HOME"); // NOLINT(concurrency-mt-unsafe)
    const std::string base = home ? *home : (variable != nullptr ? variable : "");
    return base + "/.config/systemd/user";
}

std::optional<std::string> ScheduleUnits::runningProgram() {
    std::array<char, PATH_MAX> buffer{};
    const ssize_t length = readlink("/proc/self/exe", buffer.data(), buffer.size());
    if (length <= 0 || static_cast<std::size_t>(length) >= buffer.size()) {
        return std::nullopt;
    }
    std::string program(buffer.data(), static_cast<std::size_t>(length));
    // A program replaced while it runs (an upgrade) is named with this mark.
    if (constexpr std::string_view deleted = " (deleted)"; program.ends_with(deleted)) {
        program.resize(program.size() - deleted.size());
    }
    return program;
}

std::vector<std::string> ScheduleUnits::cleanCommand(const std::string& program,
                                                     const Schedule& schedule,
                                                     const std::vector<std::string>& runOptions) {
    std::vector<std::string> command{program, "clean", "--yes", "--skip-running", "--skip-unknown"};
    for (const auto& key : schedule.categories) {
        command.insert(command.end(), {"--category", key});
    }
    if (schedule.olderThanDays) {
        command.insert(command.end(), {"--older-than", std::to_string(*schedule.olderThanDays)});
    }
    command.insert(command.end(), runOptions.begin(), runOptions.end());
    return command;
}

std::optional<std::string> ScheduleUnits::cliBeside(const std::string& program) {
    const std::string beside = program.substr(0, program.rfind('/') + 1) + "sorvane-cli";
    if (access(beside.c_str(), X_OK) == 0 && RegularFile::identity(beside)) {
        return beside;
    }
    const QString found = QStandardPaths::findExecutable(QStringLiteral("sorvane-cli"));
    return found.isEmpty() ? std::nullopt : std::optional(found.toStdString());
}

std::string ScheduleUnits::serviceText(const std::vector<std::string>& command) {
    return "# Written by sorvane-cli schedule; sorvane-cli schedule --off removes it.\n"
           "[Unit]\n"
           "Description=Sorvane: clean the chosen junk categories\n"
           "Documentation=man:sorvane-cli(1)\n"
           "\n"
           "[Service]\n"
           "Type=oneshot\n"
           "ExecStart=" +
           SystemdCommandLine::join(command) +
           "\n"
           // Cleaning can wait for anything the user does meanwhile.
           "Nice=19\n"
           "CPUSchedulingPolicy=idle\n"
           "IOSchedulingClass=idle\n";
}

std::string ScheduleUnits::timerText(Frequency every) {
    return std::string("# Written by sorvane-cli schedule; sorvane-cli schedule --off removes it.\n"
                       "[Unit]\n"
                       "Description=Sorvane: clean the chosen junk categories, ") +
           Schedule::name(every) +
           "\n"
           "\n"
           "[Timer]\n"
           "OnCalendar=" +
           Schedule::name(every) +
           "\n"
           // A run missed while the computer was off comes at the next start; spread out so
           // that it does not fall on the busy minutes after logging in.
           "Persistent=true\n"
           "RandomizedDelaySec=1h\n"
           "AccuracySec=1h\n"
           "\n"
           "[Install]\n"
           "WantedBy=timers.target\n";
}

std::optional<std::string> ScheduleUnits::write(Frequency every,
                                                const std::vector<std::string>& command) const {
    const FileDescriptor folder = Anchor::openFolderMaking(folder_);
    if (!folder.isOpen()) {
        return describe(folder_, folder.error());
    }
    // The service first: a timer without its service would fail at its first run.
    const std::pair<const char*, std::string> units[] = {{serviceName, serviceText(command)},
                                                         {timerName, timerText(every)}};
    for (const auto& [name, text] : units) {
        if (const int error = FileReplacement::replace(folder.get(), name, text, 0644);
            error != 0) {
            return describe(folder_ + "/" + name, error);
        }
    }
    fsync(folder.get());
    qCInfo(scheduleLog) << "wrote" << QString::fromStdString(timerPath());
    return std::nullopt;
}

bool ScheduleUnits::present() const {
    const FileDescriptor folder = Anchor::open(Url::folder(folder_), O_RDONLY | O_DIRECTORY);
    struct stat status {};
    return folder.isOpen() &&
           (fstatat(folder.get(), serviceName, &status, AT_SYMLINK_NOFOLLOW) == 0 ||
            fstatat(folder.get(), timerName, &status, AT_SYMLINK_NOFOLLOW) == 0);
}

std::optional<ScheduleUnits::Installed> ScheduleUnits::read() const {
    const auto timer = RegularFile::read(timerPath(), unitLimit);
    const auto service = RegularFile::read(servicePath(), unitLimit);
    if (!timer || !service) {
        return std::nullopt;
    }
    const auto calendar = valueOf(*timer, "OnCalendar");
    const auto every = calendar ? Schedule::frequencyNamed(*calendar) : std::nullopt;
    const auto execStart = valueOf(*service, "ExecStart");
    const auto command = execStart ? SystemdCommandLine::split(*execStart) : std::nullopt;
    auto schedule = command ? scheduleOf(*command) : std::nullopt;
    if (!every || !schedule) {
        return std::nullopt;
    }
    schedule->every = *every;
    return Installed{*schedule, *command};
}

std::optional<std::string> ScheduleUnits::remove() const {
    const FileDescriptor folder = Anchor::open(Url::folder(folder_), O_RDONLY | O_DIRECTORY);
    if (!folder.isOpen()) {
        return folder.error() == ENOENT ? std::nullopt
                                        : std::optional(describe(folder_, folder.error()));
    }
    const FileDescriptor wants = Anchor::openBeneath(folder.get(), wantsFolder, folderFlags);
    if (wants.isOpen() && unlinkat(wants.get(), timerName, 0) != 0 && errno != ENOENT) {
        return describe(folder_ + "/" + wantsFolder + "/" + timerName, errno);
    }
    for (const char* name : {timerName, serviceName}) {
        if (unlinkat(folder.get(), name, 0) != 0 && errno != ENOENT) {
            return describe(folder_ + "/" + name, errno);
        }
    }
    return std::nullopt;
}

} // namespace sorvane
