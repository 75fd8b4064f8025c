#include "CategoryCatalog.h"

#include "finders/PredefinedCategories.h"
#include "platform/text/EscapedText.h"

#include <algorithm>
#include <cstdio>
#include <fcntl.h>
#include <unistd.h>

namespace sorvane::cli {

namespace {

// Building the categories looks up application icons, and the platform prints a line for each
// application folder that is missing; those lines say nothing about the user's request and must
// not bury a usage error, so they are dropped while the list is built.
CategoryList buildQuietly() {
    std::fflush(stdout);
    const int saved = dup(STDOUT_FILENO);
    const int sink = open("/dev/null", O_WRONLY | O_CLOEXEC);
    if (saved >= 0 && sink >= 0) {
        dup2(sink, STDOUT_FILENO);
    }
    CategoryList all = predefinedCategories();
    std::fflush(stdout);
    if (saved >= 0) {
        dup2(saved, STDOUT_FILENO);
        close(saved);
    }
    if (sink >= 0) {
        close(sink);
    }
    return all;
}

bool contains(const std::vector<std::string>& keys, const std::string& key) {
    return std::find(keys.begin(), keys.end(), key) != keys.end();
}

} // namespace

CategoryCatalog::CategoryCatalog(CategoryList all)
    : all_(std::move(all)) {}

CategoryCatalog CategoryCatalog::build() {
    return CategoryCatalog(buildQuietly());
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
