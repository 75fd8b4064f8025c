// Feeds arbitrary text to the unescaping of --path values, and arbitrary bytes through an
// escape and back.

#include "platform/text/EscapedText.h"

#include <cstdint>
#include <cstdlib>
#include <string_view>

namespace {

// Whether escaped text could still drive a terminal: a C0 control, DEL, a C1 control or a
// bidirectional control in its UTF-8 form.
bool holdsTerminalControl(std::string_view text) {
    for (std::size_t at = 0; at < text.size(); ++at) {
        const auto byte = static_cast<unsigned char>(text[at]);
        const auto next = [&](std::size_t i) {
            return at + i < text.size() ? static_cast<unsigned char>(text[at + i]) : 0U;
        };
        if (byte < 0x20 || byte == 0x7f || (byte == 0xc2 && next(1) >= 0x80 && next(1) <= 0x9f)) {
            return true;
        }
        if (byte == 0xe2 && ((next(1) == 0x80 && next(2) >= 0xaa && next(2) <= 0xae) ||
                             (next(1) == 0x81 && next(2) >= 0xa6 && next(2) <= 0xa9))) {
            return true;
        }
    }
    return false;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using sorvane::EscapedText;
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    const std::string escaped = EscapedText::escape(input);
    const auto back = EscapedText::unescape(escaped);
    if (!back || *back != input || holdsTerminalControl(escaped)) {
        std::abort();
    }
    if (const auto bytes = EscapedText::unescape(input)) {
        if (EscapedText::unescape(EscapedText::escape(*bytes)) != bytes) {
            std::abort();
        }
    }
    return 0;
}
