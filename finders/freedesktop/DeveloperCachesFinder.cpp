#include "DeveloperCachesFinder.h"

#include "FreedesktopBlocks.h"
#include "JetBrainsVersions.h"
#include "engine/EngineStrings.h"
#include "finders/FinderBlocks.h"
#include "platform/icons/Images.h"
#include "platform/places/Layout.h"
#include "platform/places/ToolFolders.h"

#include <algorithm>

namespace sorvane {

using namespace finder;

namespace {

struct Tool {
    const char* key;
    std::vector<Place> places;
};

const std::vector<Tool>& tools() {
    static const std::vector<Tool> all{
        {"PIP_CACHE", {{Base::cache, "pip"}}},
        {"NPM_CACHE", {{Base::home, ".npm/_cacache"}, {Base::home, ".npm/_npx"}}},
        {"YARN_CACHE", {{Base::cache, "yarn"}}},
        {"GO_BUILD_CACHE", {{Base::cache, "go-build"}}},
        {"CARGO_CACHE",
         {{Base::home, ".cargo/registry/index"},
          {Base::home, ".cargo/registry/cache"},
          {Base::home, ".cargo/registry/src"},
          {Base::home, ".cargo/git/db"},
          {Base::home, ".cargo/git/checkouts"}}},
        {"GRADLE_CACHE", {{Base::home, ".gradle/caches"}}},
        // Fetched again by the next build that needs them.
        {"MAVEN_REPOSITORY", {{Base::home, ".m2/repository"}}},
    };
    return all;
}

} // namespace

DeveloperCachesFinder::DeveloperCachesFinder()
    : CategoryFinder("DEVELOPER_CACHES", Images::stock("applications-development"), std::nullopt) {}

void DeveloperCachesFinder::search() {
    for (const Tool& tool : tools()) {
        auto group = groupItem(tool.key, Images::stock("folder"));
        for (const Url& location : locateAll(tool.places)) {
            if (const auto present = existing(location)) {
                group->addSuburl(*present);
            }
        }
        appendGroup(found(), group);
    }
    searchGoModules();
    searchJetBrains();
}

void DeveloperCachesFinder::searchGoModules() {
    const FreedesktopFolders folders = Layout::freedesktopFolders();
    if (!folders.usable()) {
        return;
    }
    const auto modules = ToolFolders::goModuleCache(folders.home);
    // A variable set by mistake to the home, a base folder or anything holding them would
    // offer the user's own files; go's own download folder inside marks the real cache.
    const std::vector<Url> others{folders.home, folders.cache, folders.config, folders.data};
    // One kept in the cache folder is offered there already.
    if (!modules || holds(folders.cache, *modules) ||
        std::any_of(others.begin(), others.end(),
                    [&](const Url& other) { return holds(*modules, other); })) {
        return;
    }
    const auto downloads = existing(modules->appending("cache/download", true));
    if (!downloads || !downloads->isFolder()) {
        return;
    }
    auto group = groupItem("GO_MODULE_CACHE", Images::stock("folder"));
    group->addSuburl(*modules);
    appendGroup(found(), group);
}

// The caches, indexes and logs of the version of each JetBrains IDE in use, which the IDE
// rebuilds at its next start; the older versions are offered whole as old versions.
void DeveloperCachesFinder::searchJetBrains() {
    const auto folder = locate({Base::cache, "JetBrains"});
    if (!folder) {
        return;
    }
    for (const Url& version : JetBrainsVersions::splitIn(*folder).newest) {
        auto group = std::make_shared<CleanerItem>(
            EngineStrings::text("JETBRAINS_IDE_CACHE").arg(plainItem(version)->name()),
            std::nullopt, nullptr, std::nullopt);
        group->setAlternateIcon(Images::stock("folder"));
        // Local History is the user's record of their edits, not a cache.
        for (const Url& entry : profiles(version)) {
            if (entry.lastPathComponent() != "LocalHistory") {
                group->addSuburl(entry);
            }
        }
        appendGroup(found(), group);
    }
}

} // namespace sorvane
