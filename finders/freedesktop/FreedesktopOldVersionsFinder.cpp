#include "FreedesktopOldVersionsFinder.h"

#include "FreedesktopBlocks.h"
#include "JetBrainsVersions.h"
#include "ObsoleteExtensions.h"
#include "platform/icons/Images.h"

namespace sorvane {

using namespace finder;

FreedesktopOldVersionsFinder::FreedesktopOldVersionsFinder()
    : CategoryFinder("OLD_VERSIONS", Images::symbol("arrow.down.app.fill"), std::nullopt) {}

void FreedesktopOldVersionsFinder::search() {
    for (const Url& extensions :
         locateAll({{Base::home, ".vscode/extensions"}, {Base::home, ".vscode-oss/extensions"}})) {
        appendItems(found(), ObsoleteExtensions::in(extensions));
    }
    // Settings are kept per version too, in the configuration folder, and are never touched:
    // they are what a newer version imports.
    const std::vector<Url> jetBrains =
        locateAll({{Base::cache, "JetBrains"}, {Base::data, "JetBrains"}});
    for (std::size_t i = 0; i < jetBrains.size(); ++i) {
        // Cache and data folders set to one folder would offer each version twice.
        if (i > 0 && jetBrains[i] == jetBrains[0]) {
            continue;
        }
        appendItems(found(), JetBrainsVersions::olderIn(jetBrains[i]));
    }
}

} // namespace sorvane
