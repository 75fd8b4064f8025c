#include "UserCacheIdentifier.h"

namespace sorvane {

QString rawValue(UserCacheIdentifier identifier) {
    switch (identifier) {
    case UserCacheIdentifier::appleMusic:
        return QStringLiteral("com.apple.Music");
    case UserCacheIdentifier::appleMaps:
        return QStringLiteral("com.apple.Maps");
    case UserCacheIdentifier::safari:
        return QStringLiteral("com.apple.Safari");
    case UserCacheIdentifier::spotify:
        return QStringLiteral("com.spotify.client");
    case UserCacheIdentifier::spotifyInstaller:
        return QStringLiteral("com.spotify.installer");
    case UserCacheIdentifier::appleTv:
        return QStringLiteral("com.apple.TV");
    case UserCacheIdentifier::thunderbird:
        return QStringLiteral("Thunderbird");
    }
    return {};
}

std::optional<UserCacheIdentifier> userCacheIdentifierFromRawValue(const QString& text) {
    for (const auto identifier : allUserCacheIdentifiers) {
        if (rawValue(identifier) == text) {
            return identifier;
        }
    }
    return std::nullopt;
}

} // namespace sorvane
