#pragma once

#include <cstddef>
#include <string_view>

namespace sorvane {

// Whether property-list bytes are shaped so that a parser may read them safely. Parsers of
// property lists descend one level of their own call stack per level of nesting, and a binary
// list may make an array hold itself or share one array so often that reading it never ends;
// an information file is written by whoever made the bundle, so its shape is checked first.
// Checking takes time linear in the size of the bytes and never recurses.
class PropertyListShape {
public:
    PropertyListShape() = delete;

    static constexpr std::size_t largestSize = std::size_t{1} << 20U;
    static constexpr std::size_t deepestNesting = 64; // arrays, dictionaries and sets
    // Objects a binary list may stand for once every shared reference is read as a copy.
    static constexpr std::size_t mostObjects = std::size_t{1} << 17U;

    // At most largestSize bytes, containers nested at most deepestNesting levels; for a binary
    // list (bplist00) also a consistent trailer and offset table, every reference in range,
    // no container inside itself, and at most mostObjects objects read. XML is only accepted
    // when plainly well nested: comments, CDATA sections, processing instructions and a
    // document type without an internal subset are skipped, anything else unusual refused.
    static bool acceptable(std::string_view bytes);
};

} // namespace sorvane
