#include "JsonWriter.h"

#include <cinttypes>

namespace sorvane::cli {

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
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (c == '"' || c == '\\') {
            std::fputc('\\', out_);
            std::fputc(c, out_);
        } else if (byte < 0x20) {
            std::fprintf(out_, "\\u%04x", static_cast<unsigned>(byte));
        } else {
            std::fputc(c, out_);
        }
    }
    std::fputc('"', out_);
}

} // namespace sorvane::cli
