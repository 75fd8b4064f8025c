#include "DeveloperCachesFinder.h"

#include "FreedesktopBlocks.h"
#include "finders/FinderBlocks.h"
#include "platform/icons/Images.h"

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
        {"NPM_CACHE", {{Base::home, ".npm/_cacache"}}},
        {"YARN_CACHE", {{Base::cache, "yarn"}}},
        {"GO_BUILD_CACHE", {{Base::cache, "go-build"}}},
        {"CARGO_CACHE",
         {{Base::home, ".cargo/registry/cache"},
          {Base::home, ".cargo/registry/src"},
          {Base::home, ".cargo/git/checkouts"}}},
        {"GRADLE_CACHE", {{Base::home, ".gradle/caches"}}},
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
}

} // namespace sorvane
