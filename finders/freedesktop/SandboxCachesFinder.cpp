#include "SandboxCachesFinder.h"

#include "FreedesktopBlocks.h"
#include "Sandboxes.h"
#include "finders/FinderBlocks.h"
#include "platform/icons/Images.h"

namespace sorvane {

using namespace finder;

SandboxCachesFinder::SandboxCachesFinder()
    : CategoryFinder("SANDBOX_CACHES", Images::stock("folder"), std::nullopt) {}

void SandboxCachesFinder::search() {
    const std::vector<Url> claimed = programRoots();
    for (const Sandbox& sandbox : sandboxes()) {
        std::vector<Url> entries;
        for (const Url& cache : sandbox.cacheFolders) {
            for (const Url& entry : listing(cache)) {
                if (!touchesAny(entry, claimed)) {
                    entries.push_back(entry);
                }
            }
        }
        if (entries.empty()) {
            continue;
        }
        auto group =
            std::make_shared<CleanerItem>(displayName(sandbox), entries, std::nullopt, nullptr);
        // Flatpak exports an application's icon under its id, which the icon themes then hold.
        group->setAlternateIcon(desktopApplicationIcon({sandbox.id}));
        appendGroup(found(), group);
    }
}

} // namespace sorvane
