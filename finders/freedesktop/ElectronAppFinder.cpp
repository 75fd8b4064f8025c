#include "ElectronAppFinder.h"

namespace sorvane {

using namespace finder;

ElectronAppFinder::ElectronAppFinder(const char* nameKey, const QString& identifier,
                                     const std::vector<std::string>& iconNames,
                                     std::vector<Place> configRoots)
    : CategoryFinder(nameKey, desktopApplicationIcon(iconNames), identifier)
    , configRoots_(std::move(configRoots)) {}

namespace {

struct Program {
    const char* key;
    const char* identifier;
    std::vector<std::string> iconNames;
    std::vector<Place> configRoots;
};

// In the order of the factories below.
const std::vector<Program>& programs() {
    static const std::vector<Program> all{
        {"VSCODE_CACHE",
         "com.visualstudio.code",
         {"com.visualstudio.code", "vscode", "code"},
         {{Base::config, "Code"}, {Base::home, ".var/app/com.visualstudio.code/config/Code"}}},
        {"SLACK_CACHE",
         "com.slack.Slack",
         {"slack", "com.slack.Slack"},
         {{Base::config, "Slack"}, {Base::home, ".var/app/com.slack.Slack/config/Slack"}}},
        {"DISCORD_CACHE",
         "com.discordapp.Discord",
         {"discord", "com.discordapp.Discord"},
         {{Base::config, "discord"},
          {Base::home, ".var/app/com.discordapp.Discord/config/discord"}}},
        {"SIGNAL_CACHE",
         "org.signal.Signal",
         {"signal-desktop", "org.signal.Signal"},
         {{Base::config, "Signal"}, {Base::home, ".var/app/org.signal.Signal/config/Signal"}}},
    };
    return all;
}

std::shared_ptr<ElectronAppFinder> make(std::size_t index) {
    const Program& program = programs().at(index);
    return std::make_shared<ElectronAppFinder>(program.key, QString::fromLatin1(program.identifier),
                                               program.iconNames, program.configRoots);
}

} // namespace

std::shared_ptr<ElectronAppFinder> ElectronAppFinder::visualStudioCode() {
    return make(0);
}

std::shared_ptr<ElectronAppFinder> ElectronAppFinder::slack() {
    return make(1);
}

std::shared_ptr<ElectronAppFinder> ElectronAppFinder::discord() {
    return make(2);
}

std::shared_ptr<ElectronAppFinder> ElectronAppFinder::signal() {
    return make(3);
}

std::vector<Place> ElectronAppFinder::roots() {
    std::vector<Place> all;
    for (const Program& program : programs()) {
        all.insert(all.end(), program.configRoots.begin(), program.configRoots.end());
    }
    return all;
}

void ElectronAppFinder::search() {
    for (const Url& root : locateAll(configRoots_)) {
        appendItems(found(),
                    existingChildren(root, {"Cache", "Code Cache", "GPUCache", "DawnCache",
                                            "DawnGraphiteCache", "DawnWebGPUCache", "CachedData",
                                            "CachedExtensionVSIXs", "Service Worker/CacheStorage",
                                            "Service Worker/ScriptCache"}));
    }
}

} // namespace sorvane
