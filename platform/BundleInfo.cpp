#include "BundleInfo.h"

#include "PropertyListShape.h"
#include "RegularFile.h"

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
    const PlistPointer root(raw);
    if (!root || plist_get_node_type(root.get()) != PLIST_DICT) {
        return std::nullopt;
    }
    BundleInfo info;
    plist_dict_iter iterator = nullptr;
    plist_dict_new_iter(root.get(), &iterator);
    if (iterator == nullptr) {
        return info;
    }
    for (;;) {
        char* key = nullptr;
        plist_t value = nullptr;
        plist_dict_next_item(root.get(), iterator, &key, &value);
        if (value == nullptr) {
            std::free(key); // NOLINT(cppcoreguidelines-no-malloc)
            break;
        }
        if (key != nullptr && plist_get_node_type(value) == PLIST_STRING) {
            std::uint64_t textLength = 0;
            const char* text = plist_get_string_ptr(value, &textLength);
            if (text != nullptr) {
                info.texts_[key] = QString::fromUtf8(text, static_cast<qsizetype>(textLength));
            }
        }
        std::free(key); // NOLINT(cppcoreguidelines-no-malloc)
    }
    std::free(iterator); // NOLINT(cppcoreguidelines-no-malloc)
    return info;
}

std::optional<QString> BundleInfo::text(const std::string& key) const {
    const auto found = texts_.find(key);
    if (found == texts_.end()) {
        return std::nullopt;
    }
    return found->second;
}

} // namespace sorvane
