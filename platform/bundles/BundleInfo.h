#pragma once

#include <QString>

#include <memory>
#include <optional>
#include <string>

namespace sorvane {

// The text values of a bundle's information file (Info.plist), XML or binary. Only top-level
// text values are read, which is all a bundle's identity needs. Copies share the parsed list,
// which is never changed, so they may be read from several threads at once.
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
    std::shared_ptr<void> root_; // a dictionary
};

} // namespace sorvane
