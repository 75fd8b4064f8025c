#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace sorvane::cli {

// How file locations are written in the CLI's reports and read back from its arguments. File
// names are bytes, not text: a path may hold bytes that are not UTF-8, or a newline, and must
// still survive a trip through a line-oriented report or a JSON string, and a name must not be
// able to move the cursor, recolour or reorder what a terminal shows. Valid UTF-8 is written as
// it is, except the characters a terminal acts on (C0 and C1 controls, DEL and the
// bidirectional controls U+202A-U+202E and U+2066-U+2069); a backslash is doubled; every other
// byte, and each byte of those characters, is written as \xHH (two lower-case hex digits).
class PathText {
public:
    PathText() = delete;

    static std::string escape(std::string_view bytes);
    // The bytes an escaped path stands for; nothing when it holds a backslash that is neither
    // "\\" nor "\x" followed by two hex digits.
    static std::optional<std::string> unescape(std::string_view text);
};

} // namespace sorvane::cli
