#pragma once

#include "CommandLine.h"

#include <cstdio>

namespace sorvane::cli {

// `history`: what cleanings removed or left, as the journal has it, oldest first.
class HistoryCommand {
public:
    explicit HistoryCommand(const CommandLine& line)
        : line_(line) {}

    int run(std::FILE* out) const;

private:
    const CommandLine& line_;
};

} // namespace sorvane::cli
