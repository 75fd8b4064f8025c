#pragma once

#include "CommandLine.h"

#include <cstdio>
#include <optional>
#include <string>

namespace sorvane::cli {

// `keep`: the keep list with what each entry holds now, or a change to the user's entries.
class KeepCommand {
public:
    explicit KeepCommand(const CommandLine& line)
        : line_(line) {}

    // The exit status; a usage problem is said on standard error.
    int run(std::FILE* out) const;

private:
    void list(std::FILE* out) const;
    // The reason the change was refused (usage) or failed, with the exit status for it.
    struct Problem {
        std::string message;
        int status;
    };
    std::optional<Problem> change() const;

    const CommandLine& line_;
};

} // namespace sorvane::cli
