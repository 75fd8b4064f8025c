#include "BundleFixture.h"

#include "platform/places/SystemRoot.h"

#include <fstream>

namespace sorvane::test {

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
