#pragma once

#include "BundleFixture.h"
#include "TempHome.h"
#include "engine/IDiskCleanerCategory.h"

#include <optional>
#include <string>
#include <vector>

namespace sorvane::test {

// A temporary freedesktop home with its system root at <home>/root, the freedesktop layout
// chosen and the XDG base-folder variables unset for its lifetime (the macOS layout afterwards).
class FreedesktopHome {
public:
    FreedesktopHome();
    ~FreedesktopHome();
    FreedesktopHome(const FreedesktopHome&) = delete;
    FreedesktopHome& operator=(const FreedesktopHome&) = delete;

    // Chooses the layout again, after the home's base folders were changed or replaced by links.
    void rechoose() const;

    // Lays out entries given relative to the home: "a/b" a ten-byte file, "a/b/" a folder,
    // "a/b -> target" a link, "a/b = text" a file holding the text.
    void build(const std::vector<std::string>& entries) const;

    // The category of the freedesktop list with the key, searched; one line per item.
    std::vector<std::string> searched(const std::string& key) const;

    TempHome home;

private:
    ScopedSystemRoot root_{home.pathOf("root")};
    std::vector<std::pair<std::string, std::optional<std::string>>> saved_;
};

} // namespace sorvane::test
