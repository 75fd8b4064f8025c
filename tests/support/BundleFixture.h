#pragma once

#include "BundleWriter.h"
#include "TempHome.h"

#include <string>

namespace sorvane::test {

using tools::PlistEntries;
using tools::PlistFormat;
using tools::PlistValue;

// Property-list bytes of a dictionary holding the entries, written by libplist.
inline std::string makePlist(const PlistEntries& entries, PlistFormat format) {
    return tools::BundleWriter::plist(entries, format);
}

// A bundle folder at relative (inside the home) with Contents/Info.plist holding the entries.
// Returns the bundle's absolute path.
std::string makeBundle(const TempHome& home, const std::string& relative,
                       const PlistEntries& entries, PlistFormat format = PlistFormat::xml);

// A bundle with just an identifier (and a version when given).
std::string makeApp(const TempHome& home, const std::string& relative,
                    const std::string& identifier, PlistFormat format = PlistFormat::xml,
                    const std::string& version = {});

void writeFile(const std::string& path, const std::string& bytes);

// Points /Applications, /System/Applications and /Volumes at a folder for the scope's lifetime.
class ScopedSystemRoot {
public:
    explicit ScopedSystemRoot(const std::string& root);
    ~ScopedSystemRoot();
    ScopedSystemRoot(const ScopedSystemRoot&) = delete;
    ScopedSystemRoot& operator=(const ScopedSystemRoot&) = delete;

private:
    std::string previous_;
};

} // namespace sorvane::test
