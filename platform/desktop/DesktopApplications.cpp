#include "DesktopApplications.h"

#include <algorithm>
#include <fnmatch.h>

namespace sorvane {

const std::vector<DesktopApplication>& desktopApplications() {
    static const std::vector<DesktopApplication> applications{
        {QStringLiteral("org.mozilla.firefox"), {"*/firefox*/firefox", "*/firefox*/firefox-bin"}},
        {QStringLiteral("org.mozilla.Thunderbird"),
         {"*/thunderbird*/thunderbird", "*/thunderbird*/thunderbird-bin"}},
        {QStringLiteral("com.google.Chrome"), {"*/google/chrome*/chrome"}},
        {QStringLiteral("org.chromium.Chromium"), {"*/chromium*/chromium*", "*/chromium*/chrome"}},
        {QStringLiteral("com.brave.Browser"), {"*/brave*/brave"}},
        {QStringLiteral("com.microsoft.Edge"), {"*/msedge*/msedge"}},
        {QStringLiteral("com.vivaldi.Vivaldi"), {"*/vivaldi*/vivaldi-bin"}},
        {QStringLiteral("com.visualstudio.code"), {"*/code/code", "*/vscode*/code"}},
        {QStringLiteral("com.slack.Slack"), {"*/slack*/slack"}},
        {QStringLiteral("com.discordapp.Discord"), {"*/discord*/Discord"}},
        {QStringLiteral("org.signal.Signal"), {"*/signal-desktop*/signal-desktop"}},
        {QStringLiteral("com.spotify.Client"), {"*/spotify*/spotify"}},
        // The client proper runs from the runtime it unpacks into its own folder.
        {QStringLiteral("com.valvesoftware.Steam"), {"*/ubuntu12_32/steam", "*/ubuntu12_64/steam"}},
        {QStringLiteral("org.telegram.desktop"), {"*/Telegram/Telegram", "*/bin/telegram-desktop"}},
    };
    return applications;
}

bool matchesExecutable(const DesktopApplication& application, const std::string& executable) {
    return std::any_of(application.executablePatterns.begin(), application.executablePatterns.end(),
                       [&](const std::string& pattern) {
                           return fnmatch(pattern.c_str(), executable.c_str(), 0) == 0;
                       });
}

bool runsInFlatpakOf(const DesktopApplication& application, std::string_view controlGroups) {
    // Flatpak names each instance's scope app-flatpak-<id>-<number>.scope; the dash after the
    // identifier keeps org.example.App from matching org.example.AppTwo.
    const std::string scope = "app-flatpak-" + application.identifier.toStdString() + "-";
    return controlGroups.find(scope) != std::string_view::npos;
}

} // namespace sorvane
