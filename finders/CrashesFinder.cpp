#include "CrashesFinder.h"

#include "FinderBlocks.h"
#include "platform/fs/Path.h"
#include "platform/places/Directory.h"

#include <array>

namespace sorvane {

using namespace finder;

namespace {

Url crashReporterFolder() {
    return url(Directory::applicationSupport).appending("CrashReporter", true);
}

} // namespace

CrashesFinder::CrashesFinder()
    : CategoryFinder("APPLICATION_CRASHES", Path::icon(crashReporterFolder().path()), std::nullopt)
    , crashReporterUrl_(crashReporterFolder()) {}

void CrashesFinder::search() {
    const Url support = Url::folder(url(Directory::applicationSupport).path());
    const Url library = Url::folder(url(Directory::library).path());
    struct Row {
        const char* key;
        const char* application;
        Url location;
    };
    const std::array rows{
        Row{"VIVALDI", "Vivaldi", Path::appending(support, {"Vivaldi", "CrashPad"})},
        Row{"CHROME_BROWSER", "Google Chrome",
            Path::appending(support, {"Google", "Chrome", "CrashPad"})},
        Row{"FIREFOX", "Firefox", Path::appending(support, {"Firefox", "Crash Reports"})},
        Row{"THUNDERBIRD", "Thunderbird",
            Path::appending(library, {"Thunderbird", "Crash Reports"})},
    };
    for (const Row& row : rows) {
        auto group = groupItem(row.key, applicationIcon(row.application));
        if (const auto found = present(row.location)) {
            group->addSuburl(*found);
        }
        appendGroup(found(), group);
    }
    appendListing(found(), crashReporterUrl_);
}

} // namespace sorvane
