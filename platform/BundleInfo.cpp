#include "BundleInfo.h"

#include <plist/plist.h>

#include <cstdint>
#include <fstream>
#include <memory>

namespace sorvane {

namespace {

// Information files are a few kilobytes; anything far beyond is not one worth reading whole.
constexpr std::uintmax_t largestReadableFile = 16U * 1024U * 1024U;

struct PlistDeleter {
    void operator()(plist_t node) const { plist_free(node); }
};
using PlistPointer = std::unique_ptr<void, PlistDeleter>;

bool isBinary(const std::string& bytes) {
    return bytes.rfind("bplist00", 0) == 0;
}

} // namespace

std::optional<BundleInfo> BundleInfo::read(const std::string& path) {
    std::ifstream file(path, std::ios::binary | std::ios::ate);
    if (!file) {
        return std::nullopt;
    }
    const auto size = static_cast<std::uintmax_t>(file.tellg());
    if (size == 0 || size > largestReadableFile) {
        return std::nullopt;
    }
    std::string bytes(static_cast<std::size_t>(size), '\0');
    file.seekg(0);
    if (!file.read(bytes.data(), static_cast<std::streamsize>(size))) {
        return std::nullopt;
    }
    return parse(bytes);
}

std::optional<BundleInfo> BundleInfo::parse(const std::string& bytes) {
    if (bytes.empty() || bytes.size() > largestReadableFile) {
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
