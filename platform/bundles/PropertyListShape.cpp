#include "PropertyListShape.h"

#include <algorithm>
#include <cstdint>
#include <optional>
#include <vector>

namespace sorvane {

namespace {

// --- XML ---------------------------------------------------------------------------------------

bool startsName(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || c == '_' || c == ':';
}

// The position of the '>' that ends a tag whose name ends at from, quoted attribute values
// skipped; npos when the tag never ends or another one starts inside it.
std::size_t endOfTag(std::string_view text, std::size_t from) {
    for (std::size_t at = from; at < text.size(); ++at) {
        const char c = text[at];
        if (c == '"' || c == '\'') {
            at = text.find(c, at + 1);
            if (at == std::string_view::npos) {
                return at;
            }
        } else if (c == '>') {
            return at;
        } else if (c == '<') {
            return std::string_view::npos;
        }
    }
    return std::string_view::npos;
}

// Skips markup that opens no element; the position after it, npos when it never ends or is
// something we do not expect in a property list.
std::size_t afterNonElement(std::string_view text, std::size_t at) {
    const std::string_view rest = text.substr(at);
    const auto after = [&](std::string_view opening, std::string_view closing) {
        const std::size_t end = text.find(closing, at + opening.size());
        return end == std::string_view::npos ? end : end + closing.size();
    };
    if (rest.starts_with("<!--")) {
        return after("<!--", "-->");
    }
    if (rest.starts_with("<![CDATA[")) {
        return after("<![CDATA[", "]]>");
    }
    if (rest.starts_with("<?")) {
        return after("<?", "?>");
    }
    if (rest.starts_with("<!DOCTYPE")) {
        // An internal subset may declare entities that expand without bound.
        const std::size_t end = text.find('>', at);
        if (end == std::string_view::npos ||
            text.substr(at, end - at).find('[') != std::string_view::npos) {
            return std::string_view::npos;
        }
        return end + 1;
    }
    return std::string_view::npos;
}

bool acceptableXml(std::string_view text) {
    constexpr auto npos = std::string_view::npos;
    // Every element counts towards the depth: a property list's root element and the leaf
    // value inside the deepest container come on top of the containers themselves.
    std::size_t elements = 0;
    std::size_t containers = 0;
    for (std::size_t at = text.find('<'); at != npos; at = text.find('<', at)) {
        if (at + 1 < text.size() && (text[at + 1] == '!' || text[at + 1] == '?')) {
            at = afterNonElement(text, at);
            if (at == npos) {
                return false;
            }
            continue;
        }
        const bool closing = at + 1 < text.size() && text[at + 1] == '/';
        const std::size_t nameStart = at + (closing ? 2 : 1);
        const std::size_t nameEnd = text.find_first_of(" \t\r\n/>", nameStart);
        if (nameEnd == npos || nameEnd == nameStart || !startsName(text[nameStart])) {
            return false;
        }
        const std::size_t end = endOfTag(text, nameEnd);
        if (end == npos) {
            return false;
        }
        const std::string_view name = text.substr(nameStart, nameEnd - nameStart);
        const bool container = name == "array" || name == "dict";
        if (closing) {
            if (elements == 0 || (container && containers == 0)) {
                return false;
            }
            --elements;
            containers -= container ? 1 : 0;
        } else if (text[end - 1] != '/') {
            ++elements;
            containers += container ? 1 : 0;
            if (containers > PropertyListShape::deepestNesting ||
                elements > PropertyListShape::deepestNesting + 2) {
                return false;
            }
        }
        at = end + 1;
    }
    return elements == 0;
}

// --- Binary ------------------------------------------------------------------------------------

// The objects of a binary list and the references between them, read from the trailer and the
// offset table with every position checked against the bytes.
class BinaryList {
public:
    explicit BinaryList(std::string_view bytes)
        : bytes_(bytes) {}

    bool readTrailer() {
        constexpr std::size_t header = 8;
        constexpr std::size_t trailer = 32;
        if (bytes_.size() < header + trailer) {
            return false;
        }
        objectsEnd_ = bytes_.size() - trailer;
        offsetSize_ = number(objectsEnd_ + 6, 1);
        referenceSize_ = number(objectsEnd_ + 7, 1);
        count_ = number(objectsEnd_ + 8, 8);
        top_ = number(objectsEnd_ + 16, 8);
        table_ = number(objectsEnd_ + 24, 8);
        return offsetSize_ >= 1 && offsetSize_ <= 8 && referenceSize_ >= 1 && referenceSize_ <= 8 &&
               count_ >= 1 && top_ < count_ && table_ >= header && table_ <= objectsEnd_ &&
               count_ <= (objectsEnd_ - table_) / offsetSize_;
    }

    std::uint64_t count() const { return count_; }
    std::uint64_t top() const { return top_; }

    // Where the references of a container start and how many there are; none for other objects.
    struct References {
        bool container = false;
        std::uint64_t start = 0;
        std::uint64_t count = 0;
    };

    // Nothing when the object's position or its references lie outside the objects.
    std::optional<References> referencesOf(std::uint64_t object) const {
        const std::uint64_t offset = number(table_ + object * offsetSize_, offsetSize_);
        if (offset < 8 || offset >= table_) {
            return std::nullopt;
        }
        const std::uint64_t marker = number(offset, 1);
        const std::uint64_t type = marker >> 4U;
        // Arrays, ordered sets, sets and dictionaries (keys, then values) refer to others.
        if (type < 0xa || type > 0xd) {
            return References{};
        }
        std::uint64_t count = marker & 0x0fU;
        std::uint64_t start = offset + 1;
        if (count == 0x0f) {
            // The count follows as an integer object of 1, 2, 4 or 8 bytes.
            const std::uint64_t integer = start < table_ ? number(start, 1) : 0;
            const std::uint64_t width = std::uint64_t{1} << (integer & 0x0fU);
            if ((integer >> 4U) != 0x1 || (integer & 0x0fU) > 3 || start + 1 + width > table_) {
                return std::nullopt;
            }
            count = number(start + 1, width);
            start += 1 + width;
        }
        const std::uint64_t perEntry = type == 0xd ? 2 : 1;
        if (count > (table_ - start) / referenceSize_ / perEntry) {
            return std::nullopt;
        }
        return References{true, start, count * perEntry};
    }

    std::uint64_t reference(const References& references, std::uint64_t index) const {
        return number(references.start + index * referenceSize_, referenceSize_);
    }

private:
    // A big-endian unsigned number of width bytes at offset; the caller has checked the range.
    std::uint64_t number(std::uint64_t offset, std::uint64_t width) const {
        std::uint64_t value = 0;
        for (std::uint64_t i = 0; i < width; ++i) {
            value = (value << 8U) | static_cast<std::uint8_t>(bytes_[offset + i]);
        }
        return value;
    }

    std::string_view bytes_;
    std::uint64_t objectsEnd_ = 0;
    std::uint64_t offsetSize_ = 0;
    std::uint64_t referenceSize_ = 0;
    std::uint64_t count_ = 0;
    std::uint64_t top_ = 0;
    std::uint64_t table_ = 0;
};

// Walks the references from the top object depth first with a stack of its own, remembering for
// every finished object how deep its containers nest and how many objects reading it yields.
class BinaryWalk {
public:
    explicit BinaryWalk(const BinaryList& list)
        : list_(list)
        , height_(list.count(), unvisited)
        , objects_(list.count(), 0) {}

    bool acceptable() {
        if (!enter(list_.top())) {
            return false;
        }
        while (!path_.empty()) {
            Frame& frame = path_.back();
            if (frame.next == frame.references.count) {
                if (!leave()) {
                    return false;
                }
                continue;
            }
            const std::uint64_t child = list_.reference(frame.references, frame.next++);
            if (child >= list_.count() || height_[child] == onPath) {
                return false;
            }
            if (height_[child] == unvisited && !enter(child)) {
                return false;
            }
            if (height_[child] != onPath && !addToParent(child)) {
                return false;
            }
        }
        return true;
    }

private:
    static constexpr std::uint8_t unvisited = 0xff;
    static constexpr std::uint8_t onPath = 0xfe;

    struct Frame {
        std::uint64_t object;
        BinaryList::References references;
        std::uint64_t next = 0;
        std::uint8_t deepestChild = 0;
        std::uint64_t objects = 1;
    };

    // Starts reading an object: a container goes on the path, anything else is finished at once.
    bool enter(std::uint64_t object) {
        const auto references = list_.referencesOf(object);
        if (!references) {
            return false;
        }
        if (references->count == 0) {
            // An empty container still counts as a level.
            height_[object] = references->container ? 1 : 0;
            objects_[object] = 1;
            return true;
        }
        if (path_.size() == PropertyListShape::deepestNesting) {
            return false;
        }
        height_[object] = onPath;
        path_.push_back(Frame{object, *references});
        return true;
    }

    bool leave() {
        const Frame frame = path_.back();
        path_.pop_back();
        const unsigned height = frame.deepestChild + 1U;
        if (height > PropertyListShape::deepestNesting) {
            return false;
        }
        height_[frame.object] = static_cast<std::uint8_t>(height);
        objects_[frame.object] = static_cast<std::uint32_t>(frame.objects);
        return path_.empty() || addToParent(frame.object);
    }

    bool addToParent(std::uint64_t child) {
        Frame& parent = path_.back();
        parent.deepestChild = std::max(parent.deepestChild, height_[child]);
        parent.objects += objects_[child];
        return parent.deepestChild < PropertyListShape::deepestNesting &&
               parent.objects <= PropertyListShape::mostObjects;
    }

    const BinaryList& list_;
    std::vector<std::uint8_t> height_;   // nesting depth of a finished object, or a mark
    std::vector<std::uint32_t> objects_; // objects that reading a finished object yields
    std::vector<Frame> path_;
};

bool acceptableBinary(std::string_view bytes) {
    BinaryList list(bytes);
    return list.readTrailer() && BinaryWalk(list).acceptable();
}

} // namespace

bool PropertyListShape::acceptable(std::string_view bytes) {
    if (bytes.size() > largestSize) {
        return false;
    }
    if (bytes.starts_with("bplist00")) {
        return acceptableBinary(bytes);
    }
    return acceptableXml(bytes);
}

} // namespace sorvane
