#include "FinderBlocks.h"

#include "engine/EngineStrings.h"
#include "platform/fs/Path.h"
#include "platform/icons/FileIconManager.h"

namespace sorvane::finder {

std::vector<Url> listing(const Url& folder) {
    return Path::entries(folder, false);
}

std::vector<Url> deepWalk(const Url& folder) {
    return Path::entries(folder, true);
}

std::shared_ptr<CleanerItem> plainItem(const Url& url) {
    return std::make_shared<CleanerItem>(url, std::nullopt);
}

std::shared_ptr<CleanerItem> groupItem(const char* key, Image alternateIcon) {
    auto group = std::make_shared<CleanerItem>(EngineStrings::text(key), std::nullopt, nullptr,
                                               std::nullopt);
    group->setAlternateIcon(std::move(alternateIcon));
    return group;
}

std::shared_ptr<CleanerItem> groupNamedAfter(const Url& location, Image alternateIcon) {
    auto group = std::make_shared<CleanerItem>(plainItem(location)->name(), std::nullopt, nullptr,
                                               std::nullopt);
    group->setAlternateIcon(std::move(alternateIcon));
    return group;
}

void appendListing(CleanerResult& result, const Url& folder) {
    for (const Url& entry : listing(folder)) {
        result.add(plainItem(entry));
    }
}

std::optional<Url> present(const Url& location) {
    const auto status = Path::itemStatus(location);
    if (!status) {
        return std::nullopt;
    }
    return Url(location.path(), status->type == ItemType::folder);
}

void appendIfPresent(CleanerResult& result, const Url& location, const char* nameKey) {
    if (const auto found = present(location)) {
        auto item = plainItem(*found);
        item->setName(EngineStrings::text(nameKey));
        result.add(item);
    }
}

void appendIfFolder(CleanerResult& result, const Url& location) {
    if (Path::isDirectory(location.path())) {
        result.add(plainItem(location));
    }
}

void appendGroup(CleanerResult& result, const std::shared_ptr<CleanerItem>& group) {
    if (!group->suburls().empty()) {
        result.add(group);
    }
}

Image applicationIcon(const char* name) {
    return FileIconManager::shared().iconForApplicationNamed(QString::fromUtf8(name));
}

} // namespace sorvane::finder
