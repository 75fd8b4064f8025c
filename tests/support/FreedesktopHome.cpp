#include "FreedesktopHome.h"

#include "ResultDescription.h"
#include "finders/freedesktop/FreedesktopCategories.h"
#include "platform/icons/FileIconManager.h"
#include "platform/places/Layout.h"

#include <cstdlib>

namespace sorvane::test {

namespace {

constexpr const char* baseVariables[] = {"XDG_CACHE_HOME", "XDG_CONFIG_HOME", "XDG_DATA_HOME"};

std::shared_ptr<IDiskCleanerCategory> categoryWithKey(const CategoryList& categories,
                                                      const std::string& key) {
    for (const auto& category : categories) {
        if (category->key() == key) {
            return category;
        }
    }
    return nullptr;
}

} // namespace

FreedesktopHome::FreedesktopHome() {
    for (const char* name : baseVariables) {
        const char* value = std::getenv(name); // NOLINT(concurrency-mt-unsafe)
        saved_.emplace_back(name,
                            value != nullptr ? std::optional<std::string>(value) : std::nullopt);
        unsetenv(name); // NOLINT(concurrency-mt-unsafe)
    }
    FileIconManager::shared().clear();
    rechoose();
}

FreedesktopHome::~FreedesktopHome() {
    for (const auto& [name, value] : saved_) {
        if (value) {
            setenv(name.c_str(), value->c_str(), 1); // NOLINT(concurrency-mt-unsafe)
        } else {
            unsetenv(name.c_str()); // NOLINT(concurrency-mt-unsafe)
        }
    }
    Layout::choose(LayoutKind::macos);
    FileIconManager::shared().clear();
}

void FreedesktopHome::rechoose() const {
    Layout::choose(LayoutKind::freedesktop);
}

void FreedesktopHome::build(const std::vector<std::string>& entries) const {
    for (const std::string& entry : entries) {
        if (const auto arrow = entry.find(" -> "); arrow != std::string::npos) {
            home.link(entry.substr(0, arrow), entry.substr(arrow + 4));
        } else if (const auto equals = entry.find(" = "); equals != std::string::npos) {
            home.file(entry.substr(0, equals));
            writeFile(home.pathOf(entry.substr(0, equals)), entry.substr(equals + 3));
        } else if (entry.ends_with("/")) {
            home.folder(entry);
        } else {
            home.file(entry, 10);
        }
    }
}

std::vector<std::string> FreedesktopHome::searched(const std::string& key) const {
    const auto category = categoryWithKey(freedesktopCategories(), key);
    if (!category) {
        return {"no category " + key};
    }
    category->search();
    return describe(home, *category->result());
}

} // namespace sorvane::test
