#pragma once

#include "engine/CleanerItem.h"
#include "engine/IDiskCleanerCategory.h"
#include "platform/keep/KeptLocation.h"

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace sorvane::cli {

struct ItemFinding {
    std::shared_ptr<CleanerItem> item;
    std::string name; // UTF-8
    std::optional<std::string> url;
    std::vector<std::string> suburls;
    std::uint64_t size = 0;
    // False when some folder could not be read whole: the size is then a lower bound.
    bool sizeComplete = true;

    // The url, then every suburl.
    std::vector<std::string> locations() const;
};

struct CategoryFinding {
    std::string key;
    std::string name; // UTF-8
    std::optional<std::string> bundleIdentifier;
    std::vector<ItemFinding> items;
    std::uint64_t size = 0;
    // What the keep list kept of what the category found, left out of the items and the size.
    std::vector<KeptLocation> kept;
};

// What a search found, in engine order, with the sizes the engine measured during it.
std::vector<CategoryFinding> collectFindings(const CategoryList& categories);

} // namespace sorvane::cli
