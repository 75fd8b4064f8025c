#pragma once

#include "engine/CleanerResult.h"
#include "engine/IDiskCleanerCategory.h"

#include <memory>
#include <optional>

namespace sorvane {

// What every finder shares: a result made once, named by a key of the engine's string table,
// the category's icon and, for categories of one application, its bundle identifier.
class CategoryFinder : public IDiskCleanerCategory {
public:
    std::shared_ptr<CleanerResult> result() const override { return result_; }
    Image icon() const override { return icon_; }
    std::optional<QString> bundleIdentifier() const override { return bundleIdentifier_; }
    // The string-table key of the category's name.
    std::string key() const override { return key_; }

protected:
    CategoryFinder(const char* nameKey, Image icon, std::optional<QString> bundleIdentifier);
    // A category whose display name has a key of its own, where the name key's text is taken by
    // another layout's category.
    CategoryFinder(const char* nameKey, const char* textKey, Image icon,
                   std::optional<QString> bundleIdentifier);

    // Where the search appends what it finds.
    CleanerResult& found() { return *result_; }

private:
    const char* key_;
    Image icon_;
    std::shared_ptr<CleanerResult> result_;
    std::optional<QString> bundleIdentifier_;
};

} // namespace sorvane
