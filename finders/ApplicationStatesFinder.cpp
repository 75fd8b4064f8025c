#include "ApplicationStatesFinder.h"

#include "FinderBlocks.h"
#include "platform/bundles/Apps.h"
#include "platform/fs/Path.h"
#include "platform/icons/FileIconManager.h"
#include "platform/places/Directory.h"

#include <algorithm>

namespace sorvane {

using namespace finder;

ApplicationStatesFinder::ApplicationStatesFinder()
    : CategoryFinder("SAVED_APPLICATION_STATES", Path::icon(url(Directory::library).path()),
                     std::nullopt) {}

void ApplicationStatesFinder::search() {
    const AppList apps = Apps::installedApps(true);
    const QString ownIdentifier = Apps::mainBundleIdentifier();
    const Url states =
        Url::folder(url(Directory::library).path()).appending("Saved Application State", true);
    for (const Url& entry : listing(states)) {
        auto item = plainItem(entry);
        const QString name =
            QString::fromStdString(entry.lastPathComponent()).remove(QStringLiteral(".savedState"));
        item->setName(name);
        // Our own state is never taken for another copy of ourselves by its identifier.
        const auto owner = std::find_if(apps.begin(), apps.end(), [&](const auto& app) {
            return (app->identifier() == name && app->identifier() != ownIdentifier) ||
                   app->name() == name;
        });
        if (owner != apps.end()) {
            item->setName((*owner)->name());
            item->setAlternateIcon(
                FileIconManager::shared().iconForApplicationNamed((*owner)->name()));
        }
        found().add(item);
    }
}

} // namespace sorvane
