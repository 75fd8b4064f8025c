#pragma once

#include "platform/fs/Url.h"

#include <array>
#include <string>

namespace sorvane {

// The well-known folders of the user's account and of the system.
enum class Directory {
    applications,
    user,
    library,
    preferences,
    caches,
    applicationSupport,
    containers,
    savedState,
    trash,
    appleMusicCache,
    safariCache,
    spotifyCache,
    mailAttachments,
    userLaunchAgents,
    userLaunchDaemons,
    xcode,
    volumes,
    documents,
    downloads,
    appDocuments,
    safari,
    appleMapsCache,
};

inline constexpr std::array allDirectories{
    Directory::applications,
    Directory::user,
    Directory::library,
    Directory::preferences,
    Directory::caches,
    Directory::applicationSupport,
    Directory::containers,
    Directory::savedState,
    Directory::trash,
    Directory::appleMusicCache,
    Directory::safariCache,
    Directory::spotifyCache,
    Directory::mailAttachments,
    Directory::userLaunchAgents,
    Directory::userLaunchDaemons,
    Directory::xcode,
    Directory::volumes,
    Directory::documents,
    Directory::downloads,
    Directory::appDocuments,
    Directory::safari,
    Directory::appleMapsCache,
};

// The folder's location for the current user, computed afresh on every call (the home folder
// may change between calls in tests). Existence is not checked.
Url url(Directory directory);

// The home folder: the first two pieces of $HOME (so a sandbox container path yields the real
// home), or "/Users/<login name>" when $HOME has fewer than two pieces.
std::string homeFolderPath();
// The account's login name.
std::string loginName();

} // namespace sorvane
