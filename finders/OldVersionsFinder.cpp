#include "OldVersionsFinder.h"

#include "FinderBlocks.h"
#include "platform/bundles/Apps.h"
#include "platform/fs/Path.h"
#include "platform/icons/Images.h"

namespace sorvane {

using namespace finder;

OldVersionsFinder::OldVersionsFinder()
    : CategoryFinder("OLD_APP_VERSIONS", Images::symbol("arrow.down.app.fill"), std::nullopt) {}

void OldVersionsFinder::search() {
    // Embedded applications are not looked at: only the installed bundles themselves.
    for (const auto& app : Apps::installedApps(true)) {
        if (!app->version()) {
            continue;
        }
        const Url versions = Path::appending(app->baseUrl(), {"Contents", "Versions"});
        if (!Path::exists(versions)) {
            continue;
        }
        for (const Url& folder : Path::contents(versions, true)) {
            if (QString::fromStdString(folder.lastPathComponent()) != *app->version()) {
                auto item = plainItem(folder);
                item->setAlternateIcon(app->icon());
                // A version is one program: half of it would be of no use to anyone.
                item->setAgeBasis(AgeBasis::wholeUnit);
                found().add(item);
            }
        }
    }
}

} // namespace sorvane
