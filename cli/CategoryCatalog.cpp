#include "CategoryCatalog.h"

#include "finders/PredefinedCategories.h"
#include "platform/text/EscapedText.h"

#include <algorithm>

namespace sorvane::cli {

namespace {

bool contains(const std::vector<std::string>& keys, const std::string& key) {
    return std::find(keys.begin(), keys.end(), key) != keys.end();
}

} // namespace

CategoryCatalog::CategoryCatalog(CategoryList all)
    : all_(std::move(all)) {}

CategoryCatalog CategoryCatalog::build() {
    return CategoryCatalog(predefinedCategories());
}

std::string CategoryCatalog::validKeys() const {
    std::string valid;
    for (const auto& category : all_) {
        valid += (valid.empty() ? "" : ", ") + category->key();
    }
    return valid;
}

std::variant<CategoryList, std::string>
CategoryCatalog::match(const std::vector<std::string>& keys) const {
    std::vector<std::string> known;
    for (const auto& category : all_) {
        known.push_back(category->key());
    }
    for (const auto& key : keys) {
        if (!contains(known, key)) {
            return "unknown category key '" + EscapedText::escape(key) +
                   "'; valid keys: " + validKeys();
        }
    }
    if (keys.empty()) {
        return all_;
    }
    CategoryList matched;
    std::copy_if(all_.begin(), all_.end(), std::back_inserter(matched),
                 [&](const auto& category) { return contains(keys, category->key()); });
    return matched;
}

} // namespace sorvane::cli
