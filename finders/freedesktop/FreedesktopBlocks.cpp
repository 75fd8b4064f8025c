#include "FreedesktopBlocks.h"

#include "finders/FinderBlocks.h"
#include "platform/fs/Path.h"
#include "platform/icons/FileIconManager.h"
#include "platform/places/Layout.h"

namespace sorvane::finder {

std::optional<Url> locate(const Place& place) {
    const FreedesktopFolders folders = Layout::freedesktopFolders();
    if (!folders.usable()) {
        return std::nullopt;
    }
    const Url* base = nullptr;
    switch (place.base) {
    case Base::home:
        base = &folders.home;
        break;
    case Base::cache:
        base = &folders.cache;
        break;
    case Base::config:
        base = &folders.config;
        break;
    case Base::data:
        base = &folders.data;
        break;
    }
    return base->appending(place.relative, true);
}

std::vector<Url> locateAll(const std::vector<Place>& places) {
    std::vector<Url> found;
    for (const Place& place : places) {
        if (auto location = locate(place)) {
            found.push_back(std::move(*location));
        }
    }
    return found;
}

std::optional<Url> existing(const Url& location) {
    const auto status = Path::itemStatus(location);
    if (!status || status->type == ItemType::link) {
        return std::nullopt;
    }
    return Url(location.path(), status->type == ItemType::folder);
}

std::vector<Url> existingChildren(const Url& folder, const std::vector<std::string>& relatives) {
    std::vector<Url> found;
    for (const std::string& relative : relatives) {
        if (auto child = existing(folder.appending(relative))) {
            found.push_back(std::move(*child));
        }
    }
    return found;
}

std::vector<Url> profiles(const Url& folder) {
    std::vector<Url> found = listing(folder);
    // The listing gives the folder mark to real folders only, so links and files drop out.
    std::erase_if(found, [](const Url& entry) { return !entry.isFolder(); });
    return found;
}

void appendItems(CleanerResult& result, const std::vector<Url>& locations) {
    for (const Url& location : locations) {
        result.add(plainItem(location));
    }
}

bool holds(const Url& folder, const Url& location) {
    const std::string& outer = folder.path();
    const std::string& inner = location.path();
    if (outer == "/") {
        return true;
    }
    return inner.starts_with(outer) && (inner.size() == outer.size() || inner[outer.size()] == '/');
}

Image desktopApplicationIcon(const std::vector<std::string>& themeNames) {
    return FileIconManager::shared().iconForDesktopApplication(themeNames);
}

} // namespace sorvane::finder
