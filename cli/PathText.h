#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace sorvane::cli {

// How file locations are written in the CLI's reports and read back from its arguments. File
// names are bytes, not text: a path may hold bytes that are not UTF-8, or a newline, and must
// still survive a trip through a line-oriented report or a JSON string. Valid UTF-8 other than
// control characters is written as it is; a backslash is doubled; every other byte is written
// as \xHH (two lower-case hex digits).
class PathText {
public:
    PathText() = delete;

    static std::string escape(std::string_view bytes);
    // The bytes an escaped path stands for; nothing when it holds a backslash that is neither
    // "\\" nor "\x" followed by two hex digits.
    static std::optional<std::string> unescape(std::string_view text);
};

} // namespace sorvane::cli
