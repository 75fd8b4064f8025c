#pragma once

#include "TreeWriter.h"

#include <cstdint>
#include <string>
#include <utility>
#include <variant>
#include <vector>

namespace sorvane::tools {

enum class PlistFormat { xml, binary };

using PlistValue = std::variant<std::string, std::int64_t, bool>;
using PlistEntries = std::vector<std::pair<std::string, PlistValue>>;

// What goes into a generated application bundle.
struct BundleDescription {
    std::string name; // the bundle folder is name + ".app"
    std::string identifier;
    std::string version; // empty: no short version text
    PlistFormat format = PlistFormat::xml;
    std::uint32_t iconColour = 0x3366ccff; // RGBA of the icon's pixels
};

// Writes application bundles: Contents/Info.plist in XML or binary form, an .icns icon that
// holds a PNG image, and an executable stand-in.
class BundleWriter {
public:
    explicit BundleWriter(TreeWriter& tree)
        : tree_(tree) {}

    // Makes the bundle at the relative folder (which ends in ".app", ".appex" or ".xpc").
    void write(const std::string& relative, const BundleDescription& bundle);

    // A 32 by 32 PNG image of one colour.
    static std::string png(std::uint32_t rgba);
    // An Apple icon file holding the PNG image.
    static std::string icns(const std::string& png);
    // Property-list bytes of a dictionary holding the entries.
    static std::string plist(const PlistEntries& entries, PlistFormat format);

private:
    TreeWriter& tree_;
};

} // namespace sorvane::tools
