#include "JsonWriter.h"

#include <cinttypes>
#include <optional>

namespace sorvane::cli {

namespace {

struct Control {
    unsigned codePoint;
    std::size_t length; // bytes of its UTF-8 form
};

// The character at text[at] when a terminal acts on it instead of showing it: a C0 or C1
// control, DEL, or a bidirectional embedding, override or isolate.
std::optional<Control> terminalControlAt(std::string_view text, std::size_t at) {
    const auto byte = [&](std::size_t i) {
        return at + i < text.size() ? static_cast<unsigned char>(text[at + i]) : 0U;
    };
    if (byte(0) < 0x20 || byte(0) == 0x7f) {
        return Control{byte(0), 1};
    }
    if (byte(0) == 0xc2 && byte(1) >= 0x80 && byte(1) <= 0x9f) {
        return Control{byte(1), 2};
    }
    const bool embeddingOrOverride = byte(1) == 0x80 && byte(2) >= 0xaa && byte(2) <= 0xae;
    const bool isolate = byte(1) == 0x81 && byte(2) >= 0xa6 && byte(2) <= 0xa9;
    if (byte(0) == 0xe2 && (embeddingOrOverride || isolate)) {
        return Control{0x2000U + ((byte(1) & 0x3fU) << 6U) + (byte(2) & 0x3fU), 3};
    }
    return std::nullopt;
}

} // namespace

void JsonWriter::beforeValue() {
    if (needsComma_) {
        std::fputs(", ", out_);
    }
    needsComma_ = true;
}

void JsonWriter::beginObject() {
    beforeValue();
    std::fputc('{', out_);
    needsComma_ = false;
}

void JsonWriter::endObject() {
    std::fputc('}', out_);
    needsComma_ = true;
}

void JsonWriter::beginArray() {
    beforeValue();
    std::fputc('[', out_);
    needsComma_ = false;
}

void JsonWriter::endArray() {
    std::fputc(']', out_);
    needsComma_ = true;
}

void JsonWriter::key(std::string_view name) {
    beforeValue();
    writeString(name);
    std::fputs(": ", out_);
    needsComma_ = false;
}

void JsonWriter::string(std::string_view text) {
    beforeValue();
    writeString(text);
}

void JsonWriter::number(std::uint64_t value) {
    beforeValue();
    std::fprintf(out_, "%" PRIu64, value);
}

void JsonWriter::null() {
    beforeValue();
    std::fputs("null", out_);
}

void JsonWriter::boolean(bool value) {
    beforeValue();
    std::fputs(value ? "true" : "false", out_);
}

void JsonWriter::finish() {
    std::fputc('\n', out_);
    needsComma_ = false;
}

void JsonWriter::writeString(std::string_view text) {
    std::fputc('"', out_);
    for (std::size_t at = 0; at < text.size(); ++at) {
        const char c = text[at];
        const auto byte = static_cast<unsigned char>(c);
        if (c == '"' || c == '\\') {
            std::fputc('\\', out_);
            std::fputc(c, out_);
        } else if (const auto control = terminalControlAt(text, at)) {
            // Written as an escape so that showing the document cannot drive a terminal.
            std::fprintf(out_, "\\u%04x", control->codePoint);
            at += control->length - 1;
        } else {
            std::fputc(byte, out_);
        }
    }
    std::fputc('"', out_);
}

} // namespace sorvane::cli
