#include "XdgCacheFinder.h"

#include "FreedesktopBlocks.h"
#include "finders/FinderBlocks.h"
#include "platform/icons/Images.h"
#include "platform/places/Layout.h"

#include <algorithm>

namespace sorvane {

using namespace finder;

XdgCacheFinder::XdgCacheFinder()
    : CategoryFinder("XDG_CACHE", Images::stock("folder"), std::nullopt) {}

const std::vector<std::string>& XdgCacheFinder::claimedNames() {
    static const std::vector<std::string> names{
        "mozilla",        "thunderbird", "google-chrome", "chromium",   "BraveSoftware",
        "microsoft-edge", "vivaldi",     "spotify",       "thumbnails", "pip",
        "yarn",           "go-build",    "JetBrains"};
    return names;
}

void XdgCacheFinder::search() {
    const FreedesktopFolders folders = Layout::freedesktopFolders();
    if (!folders.usable()) {
        return;
    }
    // A cache variable pointed at the home or above it would offer the user's own files as
    // cache; one that holds the configuration or data folder would offer theirs.
    const std::vector<Url> others{folders.home, folders.config, folders.data};
    if (std::any_of(others.begin(), others.end(),
                    [&](const Url& other) { return holds(folders.cache, other); })) {
        return;
    }
    const auto& claimed = claimedNames();
    for (const Url& entry : listing(folders.cache)) {
        if (std::find(claimed.begin(), claimed.end(), entry.lastPathComponent()) == claimed.end()) {
            found().add(plainItem(entry));
        }
    }
}

} // namespace sorvane
