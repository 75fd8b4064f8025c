#pragma once

#include "CleanReport.h"
#include "Findings.h"

#include <optional>
#include <set>
#include <string>
#include <vector>

namespace sorvane::cli {

// What a cleaning takes from a search's findings: whole categories by key, and single items by
// any of their locations as the reports write them.
class CleanSelection {
public:
    // Every item of the categories whose keys are given.
    CleanSelection(std::vector<CategoryFinding> findings,
                   const std::vector<std::string>& wholeCategories);

    // Adds the items at each path, in turn; the reason a path selects nothing, or cannot select
    // the item it names.
    std::optional<std::string> addPaths(const std::vector<std::string>& paths);
    // The items selected, in engine order.
    std::vector<SelectedItem> items() const;

private:
    std::optional<std::string> addPath(const std::string& path, const std::set<std::string>& given);

    std::vector<CategoryFinding> findings_;
    std::vector<std::vector<bool>> picked_; // by category, then item
};

} // namespace sorvane::cli
