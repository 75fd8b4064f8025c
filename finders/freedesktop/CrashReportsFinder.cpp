#include "CrashReportsFinder.h"

#include "FreedesktopBlocks.h"
#include "finders/FinderBlocks.h"
#include "platform/fs/Path.h"
#include "platform/icons/Images.h"
#include "platform/places/Layout.h"
#include "platform/places/SystemRoot.h"

#include <unistd.h>

namespace sorvane {

using namespace finder;

CrashReportsFinder::CrashReportsFinder()
    : CategoryFinder("CRASH_REPORTS", Images::stock("dialog-warning"), std::nullopt) {}

void CrashReportsFinder::search() {
    if (!Layout::freedesktopFolders().usable()) {
        return;
    }
    // Reports of other users' programs are theirs to keep, whoever may delete them.
    const uid_t user = getuid();
    for (const FolderEntry& entry :
         Path::everyEntry(Url::folder(SystemRoot::resolve("/var/crash")))) {
        if (entry.type != ItemType::regularFile ||
            !entry.url.lastPathComponent().ends_with(".crash")) {
            continue;
        }
        const auto status = Path::itemStatus(entry.url);
        if (status && status->type == ItemType::regularFile && status->owner == user) {
            auto report = plainItem(entry.url);
            report->setAgeBasis(AgeBasis::wholeUnit);
            found().add(report);
        }
    }
    // Firefox's crash reporter keeps the reports it sent or could not send beside the
    // profiles, and a profile's own minidumps; neither is read again once reported.
    auto firefox = groupItem("FIREFOX_CRASH_REPORTS", Images::stock("dialog-warning"));
    for (const Url& root :
         locateAll({{Base::home, ".mozilla/firefox"},
                    {Base::config, "mozilla/firefox"},
                    {Base::home, "snap/firefox/common/.mozilla/firefox"},
                    {Base::home, ".var/app/org.mozilla.firefox/.mozilla/firefox"}})) {
        for (const Url& reports : existingChildren(root, {"Crash Reports"})) {
            firefox->addSuburl(reports);
        }
        for (const Url& profile : profiles(root)) {
            for (const Url& dumps : existingChildren(profile, {"minidumps"})) {
                firefox->addSuburl(dumps);
            }
        }
    }
    appendGroup(found(), firefox);
}

} // namespace sorvane
