#pragma once

#include <QString>

#include <array>
#include <optional>

namespace sorvane {

// The applications whose cache folders have finders of their own.
enum class UserCacheIdentifier {
    appleMusic,
    appleMaps,
    safari,
    spotify,
    spotifyInstaller,
    appleTv,
    // A folder name rather than a bundle identifier: the folder the Thunderbird finder owns.
    thunderbird,
};

inline constexpr std::array allUserCacheIdentifiers{
    UserCacheIdentifier::appleMusic,       UserCacheIdentifier::appleMaps,
    UserCacheIdentifier::safari,           UserCacheIdentifier::spotify,
    UserCacheIdentifier::spotifyInstaller, UserCacheIdentifier::appleTv,
    UserCacheIdentifier::thunderbird,
};

QString rawValue(UserCacheIdentifier identifier);
// The case whose raw value is exactly the text, if any.
std::optional<UserCacheIdentifier> userCacheIdentifierFromRawValue(const QString& text);

} // namespace sorvane
