#pragma once

#include "CommandLine.h"

#include <cstdio>
#include <string>
#include <vector>

namespace sorvane::cli {

// `schedule`: sets up, shows or removes the unattended cleaning that the user's service manager
// runs (see ScheduleUnits).
class ScheduleCommand {
public:
    explicit ScheduleCommand(const CommandLine& line)
        : line_(line) {}

    int run(std::FILE* out) const;

private:
    int set(std::FILE* out) const;
    int show(std::FILE* out) const;
    int off(std::FILE* out) const;
    // The clean command line the service runs, starting with this program.
    std::vector<std::string> cleanCommand(const std::string& program) const;

    const CommandLine& line_;
};

} // namespace sorvane::cli
