#include "FirefoxFinder.h"

#include "FinderBlocks.h"
#include "platform/fs/Path.h"
#include "platform/places/Directory.h"

#include <algorithm>

namespace sorvane {

using namespace finder;

FirefoxFinder::FirefoxFinder()
    : CategoryFinder("FIREFOX", applicationIcon("Firefox"), QStringLiteral("org.mozilla.firefox")) {
}

void FirefoxFinder::search() {
    // Only each profile's own top-level entries: a walk's deeper entries lie inside these, and
    // taking them too would count their bytes again for every folder around them.
    const Url profiles = Path::appending(url(Directory::caches), {"Firefox", "Profiles"});
    const auto depthOf = [&](const Url& entry) {
        const std::string relative = entry.path().substr(profiles.path().size());
        return std::count(relative.begin(), relative.end(), '/');
    };
    for (const Url& entry : deepWalk(profiles)) {
        if (depthOf(entry) == 2) {
            found().add(plainItem(entry));
        }
    }
}

} // namespace sorvane
