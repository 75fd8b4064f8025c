#pragma once

#include "FreedesktopBlocks.h"
#include "finders/CategoryFinder.h"

#include <memory>
#include <string>
#include <vector>

namespace sorvane {

// The cache folders a program keeps at fixed places below each of its roots, installed
// natively, as a Flatpak or as a Snap.
class ProgramCacheFinder final : public CategoryFinder {
public:
    ProgramCacheFinder(const char* nameKey, const char* textKey, const QString& identifier,
                       const std::vector<std::string>& iconNames, std::vector<finder::Place> roots,
                       std::vector<std::string> cacheFolders);
    void search() override;

    static std::shared_ptr<ProgramCacheFinder> spotify();
    static std::shared_ptr<ProgramCacheFinder> steam();

    // Where Steam keeps its client, whatever installed it; logs are read from there too.
    static const std::vector<finder::Place>& steamRoots();
    // The roots of every program of this kind.
    static std::vector<finder::Place> roots();

private:
    const std::vector<finder::Place> roots_;
    const std::vector<std::string> cacheFolders_;
};

} // namespace sorvane
