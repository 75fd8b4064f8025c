#include "UserCacheFinder.h"

#include "FinderBlocks.h"
#include "UserCacheIdentifier.h"
#include "engine/EngineStrings.h"
#include "platform/bundles/Apps.h"
#include "platform/fs/Path.h"
#include "platform/places/Directory.h"

#include <algorithm>

namespace sorvane {

using namespace finder;

namespace {

std::vector<QString> ownedCacheNames() {
    std::vector<QString> names;
    for (const auto identifier : allUserCacheIdentifiers) {
        names.push_back(rawValue(identifier));
    }
    return names;
}

} // namespace

UserCacheFinder::UserCacheFinder()
    : CategoryFinder("USER_CACHE", Path::icon(url(Directory::user).path()), std::nullopt)
    , userCacheBlacklist_(ownedCacheNames()) {}

void UserCacheFinder::search() {
    const AppList apps = Apps::installedApps(true);
    for (const Url& entry : listing(url(Directory::caches))) {
        if (Path::pathType(entry.path()) != PathType::directory ||
            entry.absoluteString().find("systemtoolkit") != std::string::npos) {
            continue;
        }
        const QString name = QString::fromStdString(entry.lastPathComponent());
        if (userCacheBlacklist_.contains(name)) {
            continue;
        }
        auto item = plainItem(entry);
        const auto owner = std::find_if(apps.begin(), apps.end(),
                                        [&](const auto& app) { return app->identifier() == name; });
        if (owner != apps.end()) {
            item->setAlternateIcon((*owner)->icon());
            item->setName(
                QStringLiteral("%1 %2").arg((*owner)->name(), EngineStrings::text("CACHE")));
        }
        found().add(item);
    }
}

} // namespace sorvane
