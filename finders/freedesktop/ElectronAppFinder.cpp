#include "ElectronAppFinder.h"

namespace sorvane {

using namespace finder;

ElectronAppFinder::ElectronAppFinder(const char* nameKey, const QString& identifier,
                                     const std::vector<std::string>& iconNames,
                                     std::vector<Place> configRoots)
    : CategoryFinder(nameKey, desktopApplicationIcon(iconNames), identifier)
    , configRoots_(std::move(configRoots)) {}

std::shared_ptr<ElectronAppFinder> ElectronAppFinder::visualStudioCode() {
    return std::make_shared<ElectronAppFinder>(
        "VSCODE_CACHE", QStringLiteral("com.visualstudio.code"),
        std::vector<std::string>{"com.visualstudio.code", "vscode", "code"},
        std::vector<Place>{{Base::config, "Code"},
                           {Base::home, ".var/app/com.visualstudio.code/config/Code"}});
}

std::shared_ptr<ElectronAppFinder> ElectronAppFinder::slack() {
    return std::make_shared<ElectronAppFinder>(
        "SLACK_CACHE", QStringLiteral("com.slack.Slack"),
        std::vector<std::string>{"slack", "com.slack.Slack"},
        std::vector<Place>{{Base::config, "Slack"},
                           {Base::home, ".var/app/com.slack.Slack/config/Slack"}});
}

std::shared_ptr<ElectronAppFinder> ElectronAppFinder::discord() {
    return std::make_shared<ElectronAppFinder>(
        "DISCORD_CACHE", QStringLiteral("com.discordapp.Discord"),
        std::vector<std::string>{"discord", "com.discordapp.Discord"},
        std::vector<Place>{{Base::config, "discord"},
                           {Base::home, ".var/app/com.discordapp.Discord/config/discord"}});
}

std::shared_ptr<ElectronAppFinder> ElectronAppFinder::signal() {
    return std::make_shared<ElectronAppFinder>(
        "SIGNAL_CACHE", QStringLiteral("org.signal.Signal"),
        std::vector<std::string>{"signal-desktop", "org.signal.Signal"},
        std::vector<Place>{{Base::config, "Signal"},
                           {Base::home, ".var/app/org.signal.Signal/config/Signal"}});
}

void ElectronAppFinder::search() {
    for (const Url& root : locateAll(configRoots_)) {
        appendItems(found(), existingChildren(root, {"Cache", "Code Cache", "GPUCache", "DawnCache",
                                                     "CachedData", "CachedExtensionVSIXs",
                                                     "Service Worker/CacheStorage",
                                                     "Service Worker/ScriptCache"}));
    }
}

} // namespace sorvane
