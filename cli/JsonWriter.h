#pragma once

#include <cstdint>
#include <cstdio>
#include <string_view>

namespace sorvane::cli {

// Writes one JSON document to a stream as it goes, keys in the order they are given, so that
// a large report never has to be held in memory. The caller nests the calls correctly; commas
// are placed by the writer.
class JsonWriter {
public:
    explicit JsonWriter(std::FILE* out)
        : out_(out) {}

    void beginObject();
    void endObject();
    void beginArray();
    void endArray();
    // The key of the next value inside an object.
    void key(std::string_view name);
    // Text that is valid UTF-8. Controls that a terminal acts on (C0, DEL, C1 and the
    // bidirectional ones) are written as \u escapes, so the document stays safe to show.
    void string(std::string_view text);
    void number(std::uint64_t value);
    void null();
    void boolean(bool value);
    // Ends the document with a newline.
    void finish();

private:
    void beforeValue();
    void writeString(std::string_view text);

    std::FILE* out_;
    bool needsComma_ = false;
};

} // namespace sorvane::cli
