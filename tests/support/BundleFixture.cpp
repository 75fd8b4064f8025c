#include "BundleFixture.h"

#include "platform/SystemRoot.h"

#include <plist/plist.h>

#include <cstdlib>
#include <fstream>

namespace sorvane::test {

std::string makePlist(const PlistEntries& entries, PlistFormat format) {
    plist_t dict = plist_new_dict();
    for (const auto& [key, value] : entries) {
        plist_t node = nullptr;
        if (const auto* text = std::get_if<std::string>(&value)) {
            node = plist_new_string(text->c_str());
        } else if (const auto* number = std::get_if<std::int64_t>(&value)) {
            node = plist_new_uint(static_cast<std::uint64_t>(*number));
        } else {
            node = plist_new_bool(std::get<bool>(value) ? 1 : 0);
        }
        plist_dict_set_item(dict, key.c_str(), node);
    }
    char* bytes = nullptr;
    std::uint32_t length = 0;
    if (format == PlistFormat::binary) {
        plist_to_bin(dict, &bytes, &length);
    } else {
        plist_to_xml(dict, &bytes, &length);
    }
    std::string result(bytes, length);
    std::free(bytes); // NOLINT(cppcoreguidelines-no-malloc)
    plist_free(dict);
    return result;
}

void writeFile(const std::string& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
}

std::string makeBundle(const TempHome& home, const std::string& relative,
                       const PlistEntries& entries, PlistFormat format) {
    home.folder(relative + "/Contents");
    writeFile(home.pathOf(relative + "/Contents/Info.plist"), makePlist(entries, format));
    return home.pathOf(relative);
}

std::string makeApp(const TempHome& home, const std::string& relative,
                    const std::string& identifier, PlistFormat format, const std::string& version) {
    PlistEntries entries{{"CFBundleIdentifier", identifier}};
    if (!version.empty()) {
        entries.emplace_back("CFBundleShortVersionString", version);
    }
    return makeBundle(home, relative, entries, format);
}

ScopedSystemRoot::ScopedSystemRoot(const std::string& root)
    : previous_(SystemRoot::path()) {
    SystemRoot::set(root);
}

ScopedSystemRoot::~ScopedSystemRoot() {
    SystemRoot::set(previous_);
}

} // namespace sorvane::test
