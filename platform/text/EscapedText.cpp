#include "EscapedText.h"

#include <algorithm>
#include <cstdint>

namespace sorvane {

namespace {

constexpr char hexDigits[] = "0123456789abcdef";

struct Sequence {
    std::size_t length = 0; // 0 when the bytes are no valid UTF-8
    std::uint32_t codePoint = 0;
};

// The valid UTF-8 sequence starting at text[at], if any (overlong forms, surrogates and code
// points past U+10FFFF are invalid).
Sequence utf8Sequence(std::string_view text, std::size_t at) {
    const auto byte = [&](std::size_t i) { return static_cast<std::uint8_t>(text[at + i]); };
    const std::uint8_t lead = byte(0);
    std::size_t length = 0;
    std::uint32_t codePoint = 0;
    if (lead < 0x80) {
        return {1, lead};
    }
    if (lead >= 0xc2 && lead <= 0xdf) {
        length = 2;
        codePoint = lead & 0x1fU;
    } else if (lead >= 0xe0 && lead <= 0xef) {
        length = 3;
        codePoint = lead & 0x0fU;
    } else if (lead >= 0xf0 && lead <= 0xf4) {
        length = 4;
        codePoint = lead & 0x07U;
    } else {
        return {};
    }
    if (at + length > text.size()) {
        return {};
    }
    for (std::size_t i = 1; i < length; ++i) {
        if ((byte(i) & 0xc0U) != 0x80) {
            return {};
        }
        codePoint = (codePoint << 6U) | (byte(i) & 0x3fU);
    }
    const bool overlong =
        (length == 3 && codePoint < 0x800) || (length == 4 && codePoint < 0x10000);
    const bool surrogate = codePoint >= 0xd800 && codePoint <= 0xdfff;
    if (overlong || surrogate || codePoint > 0x10ffff) {
        return {};
    }
    return {length, codePoint};
}

// Characters that a terminal acts on instead of showing: the C0 and C1 controls, DEL, and the
// bidirectional embeddings, overrides and isolates, which reorder the rest of the line.
bool changesTerminal(std::uint32_t codePoint) {
    return codePoint < 0x20 || (codePoint >= 0x7f && codePoint <= 0x9f) ||
           (codePoint >= 0x202a && codePoint <= 0x202e) ||
           (codePoint >= 0x2066 && codePoint <= 0x2069);
}

int hexValue(char digit) {
    if (digit >= '0' && digit <= '9') {
        return digit - '0';
    }
    if (digit >= 'a' && digit <= 'f') {
        return digit - 'a' + 10;
    }
    if (digit >= 'A' && digit <= 'F') {
        return digit - 'A' + 10;
    }
    return -1;
}

} // namespace

std::string EscapedText::escape(std::string_view bytes) {
    std::string text;
    text.reserve(bytes.size());
    for (std::size_t at = 0; at < bytes.size();) {
        const auto sequence = utf8Sequence(bytes, at);
        if (bytes[at] == '\\') {
            text += "\\\\";
            ++at;
        } else if (sequence.length == 0 || changesTerminal(sequence.codePoint)) {
            // Byte by byte, so that unescaping gives back exactly these bytes.
            const std::size_t length = std::max<std::size_t>(sequence.length, 1);
            for (std::size_t i = 0; i < length; ++i) {
                const auto byte = static_cast<std::uint8_t>(bytes[at + i]);
                text += "\\x";
                text += hexDigits[byte >> 4U];
                text += hexDigits[byte & 0x0fU];
            }
            at += length;
        } else {
            text.append(bytes.substr(at, sequence.length));
            at += sequence.length;
        }
    }
    return text;
}

std::optional<std::string> EscapedText::unescape(std::string_view text) {
    std::string bytes;
    bytes.reserve(text.size());
    for (std::size_t at = 0; at < text.size(); ++at) {
        if (text[at] != '\\') {
            bytes += text[at];
            continue;
        }
        if (at + 1 < text.size() && text[at + 1] == '\\') {
            bytes += '\\';
            ++at;
            continue;
        }
        if (at + 3 < text.size() && text[at + 1] == 'x') {
            const int high = hexValue(text[at + 2]);
            const int low = hexValue(text[at + 3]);
            if (high >= 0 && low >= 0) {
                bytes += static_cast<char>(high * 16 + low);
                at += 3;
                continue;
            }
        }
        return std::nullopt;
    }
    return bytes;
}

} // namespace sorvane
