#pragma once

#include "engine/IDiskCleanerCategory.h"

#include <string>
#include <variant>
#include <vector>

namespace sorvane::cli {

// The categories of the layout in use, built once, and the keys they answer to.
class CategoryCatalog {
public:
    // Builds the categories of the layout chosen for the run.
    static CategoryCatalog build();

    // Every category, in engine order.
    const CategoryList& all() const { return all_; }
    // The categories whose keys are given, in engine order, or every category when none is;
    // the message naming the first key no category has.
    std::variant<CategoryList, std::string> match(const std::vector<std::string>& keys) const;

private:
    explicit CategoryCatalog(CategoryList all);

    std::string validKeys() const;

    CategoryList all_;
};

} // namespace sorvane::cli
