// Feeds arbitrary bytes to the information-file reader, XML and binary alike.

#include "platform/bundles/BundleInfo.h"
#include "platform/bundles/PropertyListShape.h"

#include <cstdint>
#include <cstdlib>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    const bool acceptable = sorvane::PropertyListShape::acceptable(bytes);
    const auto info = sorvane::BundleInfo::parse(bytes);
    // Whatever the shape check refuses never reaches the parser.
    if (info && !acceptable) {
        std::abort();
    }
    if (info) {
        (void)info->text("CFBundleIdentifier");
    }
    return 0;
}
