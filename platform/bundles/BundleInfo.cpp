#include "BundleInfo.h"

#include "PropertyListShape.h"
#include "platform/fs/RegularFile.h"

#include <plist/plist.h>

#include <cstdint>
#include <memory>

namespace sorvane {

namespace {

struct PlistDeleter {
    void operator()(plist_t node) const { plist_free(node); }
};
using PlistPointer = std::unique_ptr<void, PlistDeleter>;

bool isBinary(const std::string& bytes) {
    return bytes.rfind("bplist00", 0) == 0;
}

} // namespace

std::optional<BundleInfo> BundleInfo::read(const std::string& path) {
    const auto bytes = RegularFile::read(path, PropertyListShape::largestSize);
    if (!bytes) {
        return std::nullopt;
    }
    return parse(*bytes);
}

std::optional<BundleInfo> BundleInfo::parse(const std::string& bytes) {
    if (bytes.empty() || !PropertyListShape::acceptable(bytes)) {
        return std::nullopt;
    }
    plist_t raw = nullptr;
    const auto length = static_cast<std::uint32_t>(bytes.size());
    if (isBinary(bytes)) {
        plist_from_bin(bytes.data(), length, &raw);
    } else {
        plist_from_xml(bytes.data(), length, &raw);
    }
    PlistPointer root(raw);
    if (!root || plist_get_node_type(root.get()) != PLIST_DICT) {
        return std::nullopt;
    }
    BundleInfo info;
    info.root_ = std::shared_ptr<void>(root.release(), PlistDeleter());
    return info;
}

std::optional<QString> BundleInfo::text(const std::string& key) const {
    // Keys are looked up rather than listed: listing hands out each key as C text and aborts
    // on a key that holds a NUL byte, which any information file may contain.
    if (key.find('\0') != std::string::npos) {
        return std::nullopt;
    }
    const plist_t value = plist_dict_get_item(root_.get(), key.c_str());
    if (value == nullptr || plist_get_node_type(value) != PLIST_STRING) {
        return std::nullopt;
    }
    std::uint64_t length = 0;
    const char* text = plist_get_string_ptr(value, &length);
    if (text == nullptr) {
        return std::nullopt;
    }
    return QString::fromUtf8(text, static_cast<qsizetype>(length));
}

} // namespace sorvane
