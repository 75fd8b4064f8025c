#pragma once

#include "FreedesktopBlocks.h"
#include "finders/CategoryFinder.h"

#include <string>
#include <vector>

namespace sorvane {

// The cache folders inside every profile of a Mozilla program, installed natively, as a Snap or
// as a Flatpak.
class MozillaCacheFinder final : public CategoryFinder {
public:
    MozillaCacheFinder(const char* nameKey, const QString& identifier,
                       const std::vector<std::string>& iconNames, std::vector<finder::Place> roots,
                       std::vector<std::string> cacheFolders);
    void search() override;

    static std::shared_ptr<MozillaCacheFinder> firefox();
    static std::shared_ptr<MozillaCacheFinder> thunderbird();
    // The roots of both.
    static std::vector<finder::Place> roots();

private:
    const std::vector<finder::Place> roots_;
    const std::vector<std::string> cacheFolders_;
};

} // namespace sorvane
