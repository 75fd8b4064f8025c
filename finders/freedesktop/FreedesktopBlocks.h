#pragma once

#include "engine/CleanerResult.h"
#include "platform/fs/Url.h"
#include "platform/icons/Icon.h"

#include <optional>
#include <string>
#include <vector>

// The pieces the searches of a freedesktop home are made of, besides the shared listing, walk,
// plain item and group item.
namespace sorvane::finder {

// The folders a freedesktop location is named from.
enum class Base {
    home,
    cache,
    config,
    data,
};

// A location named by its base folder and a path below it.
struct Place {
    Base base;
    std::string relative;
};

// The place in the layout's folders; nothing when the home cannot be used.
std::optional<Url> locate(const Place& place);
std::vector<Url> locateAll(const std::vector<Place>& places);

// The location, with the folder mark when a folder lies there, when something other than a
// link lies there.
std::optional<Url> existing(const Url& location);
// For a list of relative paths, in list order, the locations below the folder where something
// other than a link lies; a link is not followed to decide. Folders carry the folder mark.
std::vector<Url> existingChildren(const Url& folder, const std::vector<std::string>& relatives);
// The visible sub-folders of a folder, links not followed, in listing order.
std::vector<Url> profiles(const Url& folder);
// A plain item for every location, in order.
void appendItems(CleanerResult& result, const std::vector<Url>& locations);
// Whether a folder is the location or holds it.
bool holds(const Url& folder, const Url& location);

// The icon of a desktop application: the first of the names the installed icon themes have,
// else the generic application icon.
Image desktopApplicationIcon(const std::vector<std::string>& themeNames);

} // namespace sorvane::finder
