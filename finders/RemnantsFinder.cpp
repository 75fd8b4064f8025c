#include "RemnantsFinder.h"

#include "FinderBlocks.h"
#include "platform/bundles/Apps.h"
#include "platform/fs/Path.h"
#include "platform/places/Directory.h"

#include <QSet>

namespace sorvane {

using namespace finder;

RemnantsFinder::RemnantsFinder()
    : CategoryFinder("REMNANTS", Path::icon(url(Directory::applications).path()), std::nullopt) {}

void RemnantsFinder::search() {
    const AppList apps = Apps::installedApps(true);
    const std::vector<Url> folders = Path::containers(true);
    QSet<QString> owners;
    for (const auto& app : apps) {
        owners.insert(app->identifier());
        for (const auto& child : app->children()) {
            owners.insert(child->identifier());
        }
    }
    for (const Url& folder : folders) {
        if (!owners.contains(QString::fromStdString(folder.lastPathComponent()))) {
            found().add(plainItem(folder));
        }
    }
}

} // namespace sorvane
