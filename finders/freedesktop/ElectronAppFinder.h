#pragma once

#include "FreedesktopBlocks.h"
#include "finders/CategoryFinder.h"

#include <memory>
#include <string>
#include <vector>

namespace sorvane {

// The caches an Electron program keeps in its configuration folder, installed natively or as a
// Flatpak.
class ElectronAppFinder final : public CategoryFinder {
public:
    ElectronAppFinder(const char* nameKey, const QString& identifier,
                      const std::vector<std::string>& iconNames,
                      std::vector<finder::Place> configRoots);
    void search() override;

    static std::shared_ptr<ElectronAppFinder> visualStudioCode();
    static std::shared_ptr<ElectronAppFinder> slack();
    static std::shared_ptr<ElectronAppFinder> discord();
    static std::shared_ptr<ElectronAppFinder> signal();
    // The configuration roots of all of them.
    static std::vector<finder::Place> roots();

private:
    const std::vector<finder::Place> configRoots_;
};

} // namespace sorvane
