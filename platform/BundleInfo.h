#pragma once

#include <QString>

#include <map>
#include <optional>
#include <string>

namespace sorvane {

// The text values of a bundle's information file (Info.plist), XML or binary. Only top-level
// text values are kept, which is all a bundle's identity needs.
class BundleInfo {
public:
    // No record for a file that is missing, not a regular file, over 1 MiB, not a property
    // list, damaged, shaped to exhaust a parser (see PropertyListShape), or whose root is not
    // a dictionary.
    static std::optional<BundleInfo> read(const std::string& path);
    // Parses property-list bytes held in memory, with the same rules.
    static std::optional<BundleInfo> parse(const std::string& bytes);

    // The value under key when it is text.
    std::optional<QString> text(const std::string& key) const;

private:
    std::map<std::string, QString> texts_;
};

} // namespace sorvane
