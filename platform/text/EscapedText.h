#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace sorvane {

// Bytes written as text for a terminal, a line-oriented report or a JSON string, and read back.
// File names and environment values are bytes, not text: they may hold bytes that are not UTF-8,
// or a newline, and must survive the trip unchanged, and they must not be able to move the
// cursor, recolour or reorder what a terminal shows. Valid UTF-8 is written as
// it is, except the characters a terminal acts on (C0 and C1 controls, DEL and the
// bidirectional controls U+202A-U+202E and U+2066-U+2069); a backslash is doubled; every other
// byte, and each byte of those characters, is written as \xHH (two lower-case hex digits).
class EscapedText {
public:
    EscapedText() = delete;

    static std::string escape(std::string_view bytes);
    // The bytes escaped text stands for; nothing when it holds a backslash that is neither
    // "\\" nor "\x" followed by two hex digits.
    static std::optional<std::string> unescape(std::string_view text);
};

} // namespace sorvane
