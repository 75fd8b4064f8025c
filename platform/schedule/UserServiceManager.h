#pragma once

#include <QStringList>

#include <optional>
#include <string>
#include <vector>

namespace sorvane {

// The user's service manager as systemctl --user reaches it, run as a child process with its
// arguments as they are (no shell). Where no manager answers (no session bus, no
// XDG_RUNTIME_DIR, no systemd), every call says so instead of pretending.
class UserServiceManager {
public:
    UserServiceManager() = delete;

    // The reason a call failed, or nothing when it succeeded.
    using Problem = std::optional<std::string>;

    // Reloads the units and enables and starts the timer.
    static Problem enable(const std::string& timer);
    // Stops and disables the timer.
    static Problem disable(const std::string& timer);
    // Has the manager read the unit files anew, so that it forgets removed ones.
    static Problem reload();
    // When the timer fires next, as the manager writes it; nothing when it cannot tell.
    static std::optional<std::string> nextRun(const std::string& timer);
    // The commands enable() runs, as a user would type them.
    static std::vector<std::string> enableCommands(const std::string& timer);

private:
    struct Outcome {
        bool succeeded = false;
        std::string output;
        std::string problem;
    };
    static Outcome systemctl(const QStringList& arguments);
};

} // namespace sorvane
