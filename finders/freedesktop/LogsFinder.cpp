#include "LogsFinder.h"

#include "FreedesktopBlocks.h"
#include "ProgramCacheFinder.h"
#include "TelegramCacheFinder.h"
#include "finders/FinderBlocks.h"
#include "platform/fs/Path.h"
#include "platform/icons/Images.h"

#include <functional>

namespace sorvane {

using namespace finder;

namespace {

// The regular files directly in a folder whose names pass the test.
void addFiles(CleanerItem& group, const std::optional<Url>& folder,
              const std::function<bool(const std::string&)>& wanted) {
    if (!folder) {
        return;
    }
    for (const FolderEntry& entry : Path::everyEntry(*folder)) {
        if (entry.type == ItemType::regularFile && wanted(entry.url.lastPathComponent())) {
            group.addSuburl(entry.url);
        }
    }
}

void addExisting(CleanerItem& group, const std::vector<Url>& locations) {
    for (const Url& location : locations) {
        if (const auto present = existing(location)) {
            group.addSuburl(*present);
        }
    }
}

} // namespace

LogsFinder::LogsFinder()
    : CategoryFinder("LOGS", Images::stock("text-x-generic"), std::nullopt) {}

void LogsFinder::search() {
    const Image icon = Images::stock("text-x-generic");

    // The display server's and the session's error logs, the current one and the previous.
    auto session = groupItem("SESSION_LOGS", icon);
    addFiles(*session, locate({Base::home, ""}),
             [](const std::string& name) { return name.starts_with(".xsession-errors"); });
    addFiles(*session, locate({Base::data, "xorg"}), [](const std::string& name) {
        return name.ends_with(".log") || name.ends_with(".log.old");
    });
    appendGroup(found(), session);

    auto npm = groupItem("NPM_LOGS", icon);
    addExisting(*npm, locateAll({{Base::home, ".npm/_logs"}}));
    appendGroup(found(), npm);

    // One folder per Gradle version, each with the logs of the daemons it ran.
    auto gradle = groupItem("GRADLE_DAEMON_LOGS", icon);
    if (const auto daemons = locate({Base::home, ".gradle/daemon"})) {
        for (const Url& version : profiles(*daemons)) {
            addFiles(*gradle, version,
                     [](const std::string& name) { return name.ends_with(".log"); });
        }
    }
    appendGroup(found(), gradle);

    auto steam = groupItem("STEAM_LOGS", icon);
    for (const Url& root : locateAll(ProgramCacheFinder::steamRoots())) {
        addExisting(*steam, {root.appending("logs", true)});
    }
    appendGroup(found(), steam);

    // Telegram writes log.txt and, while starting, log_start<N>.txt beside its data.
    auto telegram = groupItem("TELEGRAM_LOGS", icon);
    for (const Url& root : TelegramCacheFinder::roots()) {
        addFiles(*telegram, root, [](const std::string& name) {
            return name.starts_with("log") && name.ends_with(".txt");
        });
    }
    appendGroup(found(), telegram);

    auto code = groupItem("VSCODE_LOGS", icon);
    addExisting(*code,
                locateAll({{Base::config, "Code/logs"},
                           {Base::home, ".var/app/com.visualstudio.code/config/Code/logs"}}));
    appendGroup(found(), code);
}

} // namespace sorvane
