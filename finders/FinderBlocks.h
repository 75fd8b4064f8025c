#pragma once

#include "engine/CleanerResult.h"
#include "platform/fs/Url.h"

#include <memory>
#include <optional>
#include <vector>

// The pieces every search is made of.
namespace sorvane::finder {

// The visible entries directly in a folder, packages as single entries; empty when the folder is
// missing or unreadable.
std::vector<Url> listing(const Url& folder);
// The visible entries at every depth below a folder, a folder before its contents, packages
// never entered.
std::vector<Url> deepWalk(const Url& folder);
// An item standing for one location, named after its last component.
std::shared_ptr<CleanerItem> plainItem(const Url& url);
// An item without a location of its own, named by a key of the engine's string table, whose
// suburls the search fills.
std::shared_ptr<CleanerItem> groupItem(const char* key, Image alternateIcon);
// A group item named as a plain item of the location would be, without a location of its own.
std::shared_ptr<CleanerItem> groupNamedAfter(const Url& location, Image alternateIcon);
// Appends a plain item for every entry of the folder's listing.
void appendListing(CleanerResult& result, const Url& folder);
// The location when anything lies there (a link as itself), carrying the folder mark only when a
// real folder lies there: what a name leads to, not what the search expected, decides it.
std::optional<Url> present(const Url& location);
// Appends a plain item for the location, renamed by a key, when anything lies there.
void appendIfPresent(CleanerResult& result, const Url& location, const char* nameKey);
// Appends a plain item for the location when it is a folder.
void appendIfFolder(CleanerResult& result, const Url& location);
// Appends a group item only when it holds at least one location.
void appendGroup(CleanerResult& result, const std::shared_ptr<CleanerItem>& group);
// The application icon of the icon manager for a display name.
Image applicationIcon(const char* name);

} // namespace sorvane::finder
