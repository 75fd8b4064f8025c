#pragma once

#include "FreedesktopBlocks.h"
#include "finders/CategoryFinder.h"

#include <memory>
#include <string>
#include <vector>

namespace sorvane {

// The caches of a browser built on Chromium: the cache folders anywhere in its cache tree, and
// the shader and GPU caches of its configuration folder and of every profile in it. Installed
// natively, as a Snap or as a Flatpak.
class ChromiumFamilyFinder final : public CategoryFinder {
public:
    ChromiumFamilyFinder(const char* nameKey, const QString& identifier,
                         const std::vector<std::string>& iconNames,
                         std::vector<finder::Place> cacheRoots,
                         std::vector<finder::Place> configRoots);
    void search() override;

    static std::shared_ptr<ChromiumFamilyFinder> chrome();
    static std::shared_ptr<ChromiumFamilyFinder> chromium();
    static std::shared_ptr<ChromiumFamilyFinder> brave();
    static std::shared_ptr<ChromiumFamilyFinder> edge();
    static std::shared_ptr<ChromiumFamilyFinder> vivaldi();
    // The cache and configuration roots of all of them.
    static std::vector<finder::Place> roots();

private:
    void searchCacheTree(const Url& root);
    void searchConfiguration(const Url& root);

    const std::vector<finder::Place> cacheRoots_;
    const std::vector<finder::Place> configRoots_;
};

} // namespace sorvane
