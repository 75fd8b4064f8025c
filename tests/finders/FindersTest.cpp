#include "engine/EngineStrings.h"
#include "engine/PredefinedCategories.h"
#include "finders/CategoryFinder.h"
#include "finders/RemnantsFinder.h"
#include "finders/UserCacheFinder.h"
#include "finders/freedesktop/FreedesktopCategories.h"
#include "platform/Layout.h"
#include "support/BundleFixture.h"
#include "support/FreedesktopHome.h"
#include "support/Processes.h"
#include "support/ResultDescription.h"

#include <array>
#include <filesystem>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace sorvane;
using test::FreedesktopHome;
using Lines = std::vector<std::string>;

namespace {

struct CategoryCase {
    std::string key;
    Lines tree;
    Lines expected;
};

// One row per category, in search order: native, Snap and Flatpak roots, profiles, and the
// look-alikes that must not count.
const std::vector<CategoryCase>& categoryCases() {
    // A trashed name is bytes: odd is not UTF-8 and holds a line break.
    static const std::string files = ".local/share/Trash/files/", info = ".local/share/Trash/info/",
                             odd = "r\xe9sum\xe9\n.txt", crash = "root/var/crash/",
                             firefox = ".cache/mozilla/firefox/", chrome = ".cache/google-chrome/",
                             chromeConfig = ".config/google-chrome/";
    static const std::vector<CategoryCase> cases{
        {"XDG_CACHE",
         {".cache/fontconfig/a", ".cache/loose.bin", ".cache/.hidden/x", ".cache/linked -> /etc",
          ".cache/mozilla/x", ".cache/JetBrains/x"},
         {"fontconfig @ .cache/fontconfig/", "linked @ .cache/linked",
          "loose.bin @ .cache/loose.bin"}},
        {"THUMBNAILS",
         {".cache/thumbnails/large/a.png", ".cache/thumbnails/normal/b.png",
          ".cache/thumbnails/.hidden", ".cache/thumbnails/x-link -> large"},
         {"large @ .cache/thumbnails/large/", "normal @ .cache/thumbnails/normal/",
          "x-link @ .cache/thumbnails/x-link"}},
        {"FREEDESKTOP_TRASH",
         {files + "a.txt", files + ".hidden", files + "folder/inside", files + odd, files + "b/x",
          files + "link -> /etc/passwd", info + "a.txt.trashinfo", info + ".hidden.trashinfo",
          info + "folder.trashinfo -> a.txt.trashinfo", info + odd + ".trashinfo",
          info + "link.trashinfo", info + "b.trashinfo", info + "gone.trashinfo",
          info + ".trashinfo", info + ".gone.trashinfo", info + "stale.trashinfo -> /nonexistent",
          info + "notes.txt"},
         {".hidden @ " + files + ".hidden + " + info + ".hidden.trashinfo",
          "a.txt @ " + files + "a.txt + " + info + "a.txt.trashinfo",
          "b @ " + files + "b/ + " + info + "b.trashinfo", "folder @ " + files + "folder/",
          "link @ " + files + "link + " + info + "link.trashinfo",
          QString::fromStdString(odd).toStdString() + " @ " + files + odd + " + " + info + odd +
              ".trashinfo",
          "Trash records without files @ - + " + info + ".gone.trashinfo + " + info +
              "gone.trashinfo {stock:user-trash-full}"}},
        {"FIREFOX_CACHE",
         {firefox + "abc.default-release/cache2/entries/E1",
          firefox + "abc.default-release/startupCache/s",
          firefox + "abc.default-release/thumbnails",
          firefox + "abc.default-release/safebrowsing/x",
          firefox + "zz.work/cache2 -> ../abc.default-release/cache2",
          firefox + "linked -> abc.default-release", firefox + ".hidden/cache2/x",
          firefox + "profiles.ini", "snap/firefox/common/" + firefox + "snp.default/cache2/x",
          ".var/app/org.mozilla.firefox/cache/mozilla/firefox/fp.default/startupCache/x"},
         {"cache2 @ " + firefox + "abc.default-release/cache2/",
          "startupCache @ " + firefox + "abc.default-release/startupCache/",
          "thumbnails @ " + firefox + "abc.default-release/thumbnails",
          "cache2 @ snap/firefox/common/" + firefox + "snp.default/cache2/",
          "startupCache @ .var/app/org.mozilla.firefox/cache/mozilla/firefox/fp.default/"
          "startupCache/"}},
        {"THUNDERBIRD_CACHE",
         {".cache/thunderbird/p1.default/cache2/x",
          ".var/app/org.mozilla.Thunderbird/cache/thunderbird/p2/cache2/x"},
         {"cache2 @ .cache/thunderbird/p1.default/cache2/",
          "cache2 @ .var/app/org.mozilla.Thunderbird/cache/thunderbird/p2/cache2/"}},
        // Caches by exact name at any depth, never in hidden folders, packages or links; in the
        // configuration only the shared caches and the profiles' own.
        {"CHROME_CACHE",
         {chrome + "Default/Cache/Cache_Data/x", chrome + "Default/Cache/inner/Cache/y",
          chrome + "Default/Code Cache/js/z", chrome + "Default/Storage/ext/Cache/w",
          chrome + ".hidden/Cache/q", chrome + "Profile 1/Ext.app/Cache/q",
          chrome + "Profile 1/Cache -> ../Default/Cache", chrome + "Profile 2 -> Default",
          chromeConfig + "ShaderCache/a", chromeConfig + "ShaderCache/GPUCache/a",
          chromeConfig + "GraphiteDawnCache/a", chromeConfig + "Default/GPUCache/a",
          chromeConfig + "Default/Cache/a", chromeConfig + "Default/Service Worker/CacheStorage/a",
          chromeConfig + "Default/Service Worker/Database/a",
          ".var/app/com.google.Chrome/config/google-chrome/Profile 3/DawnCache/a"},
         {"Cache @ " + chrome + "Default/Cache/", "Code Cache @ " + chrome + "Default/Code Cache/",
          "Cache @ " + chrome + "Default/Storage/ext/Cache/",
          "ShaderCache @ " + chromeConfig + "ShaderCache/",
          "GraphiteDawnCache @ " + chromeConfig + "GraphiteDawnCache/",
          "GPUCache @ " + chromeConfig + "Default/GPUCache/",
          "CacheStorage @ " + chromeConfig + "Default/Service Worker/CacheStorage/",
          "DawnCache @ .var/app/com.google.Chrome/config/google-chrome/Profile 3/DawnCache/"}},
        // The other browsers of the family differ in their roots only.
        {"CHROMIUM_CACHE",
         {"snap/chromium/common/.cache/chromium/Default/Cache/x",
          "snap/chromium/common/chromium/Default/GPUCache/x"},
         {"Cache @ snap/chromium/common/.cache/chromium/Default/Cache/",
          "GPUCache @ snap/chromium/common/chromium/Default/GPUCache/"}},
        {"BRAVE_CACHE",
         {".var/app/com.brave.Browser/config/BraveSoftware/Brave-Browser/Default/GPUCache/x"},
         {"GPUCache @ .var/app/com.brave.Browser/config/BraveSoftware/Brave-Browser/Default/"
          "GPUCache/"}},
        {"EDGE_CACHE",
         {".config/microsoft-edge/Default/Service Worker/ScriptCache/x"},
         {"ScriptCache @ .config/microsoft-edge/Default/Service Worker/ScriptCache/"}},
        {"VIVALDI_CACHE",
         {".var/app/com.vivaldi.Vivaldi/cache/vivaldi/Default/Cache/x"},
         {"Cache @ .var/app/com.vivaldi.Vivaldi/cache/vivaldi/Default/Cache/"}},
        {"VSCODE_CACHE",
         {".config/Code/Cache/x", ".config/Code/CachedData/x", ".config/Code/User/settings.json",
          ".config/Code/Code Cache", ".config/Code/GPUCache -> Cache",
          ".config/Code/Service Worker/ScriptCache/x",
          ".var/app/com.visualstudio.code/config/Code/CachedExtensionVSIXs/x"},
         {"Cache @ .config/Code/Cache/", "Code Cache @ .config/Code/Code Cache",
          "CachedData @ .config/Code/CachedData/",
          "ScriptCache @ .config/Code/Service Worker/ScriptCache/",
          "CachedExtensionVSIXs @ .var/app/com.visualstudio.code/config/Code/"
          "CachedExtensionVSIXs/"}},
        {"SLACK_CACHE",
         {".var/app/com.slack.Slack/config/Slack/DawnCache/x"},
         {"DawnCache @ .var/app/com.slack.Slack/config/Slack/DawnCache/"}},
        {"DISCORD_CACHE", {".config/discord/GPUCache/x"}, {"GPUCache @ .config/discord/GPUCache/"}},
        {"SIGNAL_CACHE",
         {".var/app/org.signal.Signal/config/Signal/Service Worker/CacheStorage/x"},
         {"CacheStorage @ .var/app/org.signal.Signal/config/Signal/Service Worker/CacheStorage/"}},
        {"SPOTIFY_CACHE",
         {".cache/spotify/Data/x", ".cache/spotify/Storage/x", ".cache/spotify/Users/x",
          "snap/spotify/common/.cache/spotify/Browser/x"},
         {"Data @ .cache/spotify/Data/", "Storage @ .cache/spotify/Storage/",
          "Browser @ snap/spotify/common/.cache/spotify/Browser/"}},
        {"DEVELOPER_CACHES",
         {".cache/pip/http/x", ".npm/_cacache/index/x", ".npm/_logs/x", ".cargo/registry/cache/x",
          ".cargo/git/checkouts/x", ".gradle/caches/x", ".cache/yarn -> /tmp"},
         {"pip Cache @ - + .cache/pip/ {stock:folder}",
          "npm Cache @ - + .npm/_cacache/ {stock:folder}",
          "Cargo Cache @ - + .cargo/registry/cache/ + .cargo/git/checkouts/ {stock:folder}",
          "Gradle Cache @ - + .gradle/caches/ {stock:folder}"}},
        {"OLD_VERSIONS",
         {".vscode/extensions/.obsolete = {\"ms-python.python-2023.1.0\": true}",
          ".vscode/extensions/ms-python.python-2023.1.0/package.json",
          ".vscode/extensions/ms-python.python-2024.2.0/package.json",
          ".cache/JetBrains/PyCharm2023.1/x", ".cache/JetBrains/PyCharm2024.1/x",
          ".local/share/JetBrains/PyCharm2023.1/x", ".local/share/JetBrains/PyCharm2023.3/x",
          ".config/JetBrains/PyCharm2022.1/x", ".config/JetBrains/PyCharm2023.1/x"},
         {"ms-python.python-2023.1.0 @ .vscode/extensions/ms-python.python-2023.1.0/",
          "PyCharm2023.1 @ .cache/JetBrains/PyCharm2023.1/",
          "PyCharm2023.1 @ .local/share/JetBrains/PyCharm2023.1/"}},
        // A pipe and a report of another user (made so by the test) are not the user's reports.
        {"CRASH_REPORTS",
         {crash + "mine.crash", crash + ".hidden.crash", crash + "mine.crash.upload",
          crash + "folder.crash/", crash + "link.crash -> mine.crash"},
         {".hidden.crash @ " + crash + ".hidden.crash", "mine.crash @ " + crash + "mine.crash"}},
    };
    return cases;
}

// The result's lines with the paths that lie below base shown relative to it.
Lines describedBelow(const test::TempHome& home, const std::string& base,
                     const CleanerResult& result) {
    Lines lines = test::describe(home, result);
    for (std::string& line : lines) {
        for (auto at = line.find(" " + base); !base.empty() && at != std::string::npos;
             at = line.find(" " + base, at + 1)) {
            line.erase(at + 1, base.size());
        }
    }
    return lines;
}

struct FinderCase {
    std::string key;
    std::string base; // where the entries are laid out; paths are described relative to it
    Lines tree;
    Lines expected;
};

// One row per macOS category, in search order, all laid out in one home: what one finder
// offers may be another's too, as user caches are.
const std::vector<FinderCase>& finderCases() {
    static const std::vector<FinderCase> cases{
        {"MAPS_CACHE",
         "Library/",
         {"Containers/com.apple.Maps/Data/cache.db",
          "Containers/com.apple.Maps/.com.apple.containermanagerd.metadata.plist",
          "Caches/com.apple.Maps.Suggestions"},
         {"Data @ Containers/com.apple.Maps/Data/",
          "Maps Suggestions @ Caches/com.apple.Maps.Suggestions/"}},
        {"MUSIC_CACHE",
         "",
         {"Library/Caches/com.apple.Music/b", "Music/iTunes/Album Artwork/Cache/a.itc"},
         {"b @ Library/Caches/com.apple.Music/b",
          "Album Artwork Cache @ Music/iTunes/Album Artwork/"}},
        {"APPLE_TV_FINDER",
         "Library/Caches/com.apple.TV/",
         {"fsCachedData/x", "Cache.db"},
         {"Cache.db @ Cache.db", "fsCachedData @ fsCachedData/"}},
        // Our own identifier never matches by identifier; a name does, whatever the identifier.
        {"SAVED_APPLICATION_STATES",
         "Library/Saved Application State/",
         {"org.sample.Viewer.savedState/windows.plist", "org.sorvane.Sorvane.savedState/w",
          "Sorvane.savedState/w", "com.apple.Notes.savedState/w", "Plain/w",
          "twice.savedState.savedState/w", ".hidden.savedState/x"},
         {"Plain @ Plain/", "Sorvane @ Sorvane.savedState/ {file:root/Applications/Sorvane.app}",
          "com.apple.Notes @ com.apple.Notes.savedState/",
          "Viewer @ org.sample.Viewer.savedState/ {file:root/Applications/Viewer.app}",
          "org.sorvane.Sorvane @ org.sorvane.Sorvane.savedState/",
          "twice @ twice.savedState.savedState/"}},
        {"BRAVE_BROWSER",
         "Library/Caches/",
         {"BraveBrowser/Default/Cache/x"},
         {"BraveBrowser @ BraveBrowser/"}},
        // Nested matches by exact name, never inside a bundle.
        {"CHROME_BROWSER",
         "Library/Caches/Google/Chrome/",
         {"Default/Cache/data_0", "Default/Code Cache/js/x", "Default/Storage/ext/Cache/y",
          "Profile 1/Cache/z", "Profile 1/cache/lower", "Profile 1/Caches/plural",
          "Profile 1/.Cache/hidden", "Profile 1/Ext.bundle/Cache/inside"},
         {"Cache @ Default/Cache/", "Code Cache @ Default/Code Cache/",
          "Storage @ Default/Storage/", "Cache @ Default/Storage/ext/Cache/",
          "Cache @ Profile 1/Cache/"}},
        // Groups of the applications' own crash folders (a file counts) come before the
        // reporter's entries.
        {"APPLICATION_CRASHES",
         "Library/Application Support/",
         {"Firefox/Crash Reports/pending/1.dmp", "Vivaldi/CrashPad",
          "CrashReporter/Editor_2026-12-01.crash", "CrashReporter/.DS_Store"},
         {"Vivaldi @ - + Vivaldi/CrashPad/ {file:root/Applications/Vivaldi.app}",
          "Firefox @ - + Firefox/Crash Reports/ {file:root/Applications/Firefox.app}",
          "Editor_2026-12-01.crash @ CrashReporter/Editor_2026-12-01.crash"}},
        {"FACETIME_CACHE", "Library/Containers/com.apple.FaceTime/", {"Data/x"}, {"Data @ Data/"}},
        // Each profile's own entries, so that every byte counts once.
        {"FIREFOX",
         "Library/Caches/Firefox/Profiles/",
         {"abc.default/cache2/entries/E1", "abc.default/cache2/entries/E2",
          "abc.default/startupCache/s.bin", "xyz.work/cache2/doomed/D", "stray-file"},
         {"cache2 @ abc.default/cache2/", "startupCache @ abc.default/startupCache/",
          "cache2 @ xyz.work/cache2/"}},
        // Downloads first, then every attachment file, however deep.
        {"MAIL_ATTACHMENTS",
         "Library/",
         {"Containers/com.apple.mail/Data/Library/Mail Downloads/0F1A/invoice.pdf",
          "Mail/V10/Inbox.mbox/Messages/1.emlx", "Mail/V10/A.mbox/Attachments/1/2/photo.jpg",
          "Mail/V10/A.mbox/Attachments/4/Slides.bundle/Contents/x",
          "Mail/V10/B.mbox/Attachments/9/Attachments/nested.txt", "Mail/V10/C.mbox/Attachments"},
         {"0F1A @ Containers/com.apple.mail/Data/Library/Mail Downloads/0F1A/",
          "photo.jpg @ Mail/V10/A.mbox/Attachments/1/2/photo.jpg",
          "Slides.bundle @ Mail/V10/A.mbox/Attachments/4/Slides.bundle/",
          "nested.txt @ Mail/V10/B.mbox/Attachments/9/Attachments/nested.txt",
          "nested.txt @ Mail/V10/B.mbox/Attachments/9/Attachments/nested.txt"}},
        {"MESSAGES_CACHE", "Library/Containers/com.apple.MobileSMS/", {"Data/y"}, {"Data @ Data/"}},
        // Skipped: bundles without a version text, only files in Versions, embedded bundles.
        // A link to a version names it once more; it is reported once.
        {"OLD_APP_VERSIONS",
         "root/Applications/",
         {"Editor.app/Contents/Versions/2.9/Editor", "Editor.app/Contents/Versions/3.0/Editor",
          "Editor.app/Contents/Versions/3.1/Editor", "Editor.app/Contents/Versions/Current -> 3.1",
          "Editor.app/Contents/Versions/Previous -> ../Versions/3.0",
          "NoVersion.app/Contents/Versions/1.0/", "Files.app/Contents/Versions/1.0",
          "Editor.app/Contents/Library/LoginItems/Helper.app/Contents/Versions/0.9/"},
         {"2.9 @ Editor.app/Contents/Versions/2.9/ {file:root/Applications/Editor.app}",
          "3.0 @ Editor.app/Contents/Versions/3.0/ {file:root/Applications/Editor.app}"}},
        {"RECYCLE_BIN",
         "",
         {"Library/.Trash/old report.pdf", "Library/.Trash/Folder/inner",
          "Library/.Trash/.DS_Store", ".Trash/not-this-one"},
         {"Folder @ Library/.Trash/Folder/", "old report.pdf @ Library/.Trash/old report.pdf"}},
        {"SAFARI",
         "Library/Caches/com.apple.safari/",
         {"WebKitCache/x"},
         {"WebKitCache @ WebKitCache/"}},
        {"SPOTIFY_CACHE",
         "Library/Caches/",
         {"com.spotify.client/Browser/x", "com.spotify.client/Data/x",
          "com.spotify.client/Storage/x", "com.spotify.client/data/x", "com.spotify.installer"},
         {"Browser @ com.spotify.client/Browser/", "Data @ com.spotify.client/Data/"}},
        {"THUNDERBIRD",
         "Library/Caches/",
         {"Thunderbird/Profiles/p1/cache2", "Thunderbird/Profiles/p2/x"},
         {"Thunderbird @ Thunderbird/"}},
        // Every cache folder but those of the finders on the blacklist, so that the folders of
        // Brave, Firefox, Chrome (Google) and the lower-case com.apple.safari count twice. A
        // link in place of one is no cache folder, its target not being the user's cache.
        {"USER_CACHE",
         "Library/Caches/",
         {"com.apple.Safari/d", "com.apple.SafariServices/d", "com.apple.TVRemote/d",
          "com.spotify.installer.update/d", "com.apple.Maps/d", "com.apple.music/d",
          "org.sample.Editor/d", "org.sample.Orphan/d", "com.apple.Notes/d",
          "com.systemtoolkit.agent/d", "plain-file", ".hidden/d", "org.sample.Linked -> /tmp"},
         {"BraveBrowser @ BraveBrowser/", "Firefox @ Firefox/", "Google @ Google/",
          "com.apple.Notes @ com.apple.Notes/", "com.apple.music @ com.apple.music/",
          "com.apple.safari @ com.apple.safari/",
          "Editor Cache @ org.sample.Editor/ {file:root/Applications/Editor.app}",
          "org.sample.Orphan @ org.sample.Orphan/"}},
        {"WHATSAPP_CACHE",
         "Library/Containers/desktop.WhatsApp/Data/Library/Application Support/WhatsApp/",
         {"deep/voip_crash_log.txt", "deep/voip_crash_log.txt.bak", "GPUCache/data",
          ".Cache/hidden", "Session Storage/x"},
         {"GPUCache @ GPUCache/", "Session Storage @ Session Storage/",
          "voip_crash_log.txt @ deep/voip_crash_log.txt"}},
        // Only builds with a product count.
        {"XCODE_CACHE",
         "Library/Developer/Xcode/",
         {"DerivedData/Alpha-abc/Build/Products/Debug/Alpha.app/Contents/",
          "DerivedData/Beta-def/Build/Products/Release-iphoneos/Beta.app/",
          "DerivedData/Gamma-ghi/Build/Intermediates.noindex/x.o",
          "DerivedData/ModuleCache.noindex/m", "iOS DeviceSupport/16.0 (20A362)/Symbols/x",
          "iOS DeviceSupport/17.2/Symbols/x",
          "Archives/2026-11-30/Alpha 30-11-2026.xcarchive/Products/",
          "Archives/2026-12-01/Beta.xcarchive/"},
         {"Derived Data @ - + DerivedData/Alpha-abc/Build/ + DerivedData/Beta-def/Build/ "
          "{stock:folder}",
          "iOS Device Support @ - + iOS DeviceSupport/16.0 (20A362)/ + iOS DeviceSupport/17.2/ "
          "{symbol:iphone}",
          "Archives @ - + Archives/2026-11-30/Alpha 30-11-2026.xcarchive/ + "
          "Archives/2026-12-01/Beta.xcarchive/ {symbol:archivebox}"}},
        // Containers no installed application owns; system ones never count.
        {"REMNANTS",
         "Library/Containers/",
         {"org.sample.Notes/Data/", "org.sample.Helper/Data/", "org.sample.Editor/Data/",
          "com.apple.mail/Data/", "com.applesauce.App/Data/", "org.sample.Local/Data/"},
         {"com.applesauce.App @ com.applesauce.App/", "desktop.WhatsApp @ desktop.WhatsApp/",
          "org.sample.Local @ org.sample.Local/", "org.sample.Notes @ org.sample.Notes/"}},
    };
    return cases;
}

} // namespace

TEST(FreedesktopFindersTest, EveryCategoryInOrderOnOneHomeWithoutOverlap) {
    FreedesktopHome fixture;
    for (const auto& row : categoryCases()) {
        fixture.build(row.tree);
    }
    const std::string crash = fixture.home.pathOf("root/var/crash/");
    ASSERT_EQ(mkfifo((crash + "pipe.crash").c_str(), 0600), 0);
    if (test::runningAsRoot()) {
        fixture.build({"root/var/crash/theirs.crash"});
        ASSERT_EQ(lchown((crash + "theirs.crash").c_str(), test::unprivilegedUid(),
                         test::unprivilegedGid()),
                  0);
    }
    const CategoryList categories = predefinedCategories();
    ASSERT_EQ(categories.size(), categoryCases().size());
    std::vector<std::string> all; // every location named, urls and suburls
    for (std::size_t i = 0; i < categories.size(); ++i) {
        const auto& row = categoryCases()[i];
        SCOPED_TRACE(row.key);
        EXPECT_EQ(dynamic_cast<const CategoryFinder&>(*categories[i]).nameKey(), row.key);
        categories[i]->search();
        EXPECT_EQ(test::describe(fixture.home, *categories[i]->result()), row.expected);
        for (const auto& item : categories[i]->result()->items()) {
            if (item->url()) {
                all.push_back(item->url()->path());
            }
            for (const auto& suburl : item->suburls()) {
                all.push_back(suburl.path());
            }
        }
    }
    // No location twice, none inside another: sorted, a location inside another follows it.
    std::sort(all.begin(), all.end());
    for (std::size_t i = 1; i < all.size(); ++i) {
        EXPECT_FALSE(all[i] == all[i - 1] || all[i].starts_with(all[i - 1] + "/"))
            << all[i - 1] << " and " << all[i];
    }
}

TEST(FreedesktopFindersTest, TrashRecordsAreOrphansOnlyWhileTheFilesFolderCanBeLookedAt) {
    FreedesktopHome fixture;
    fixture.build({"elsewhere/a.txt", ".local/share/Trash/info/a.txt.trashinfo",
                   ".local/share/Trash/info/gone.trashinfo",
                   ".local/share/Trash/files -> ../../../elsewhere"});
    const Lines found = fixture.searched("FREEDESKTOP_TRASH");
    EXPECT_TRUE(found.empty()) << found.front();
}

TEST(FreedesktopFindersTest, ObsoleteFiles) {
    struct Case {
        std::string obsolete; // the file's bytes, or where it links to
        Lines expected;
    };
    const std::vector<Case> cases{
        // The file's order, not the keys'.
        {R"({"b-2.0": true, "a-1.0": true, "c-3.0": true})", {"b-2.0", "a-1.0", "c-3.0"}},
        // Only true counts.
        {R"({"a-1.0": false, "b-2.0": "true", "c-3.0": 1, "d-4.0": {"x": true}, "e-5.0" : true })",
         {"e-5.0"}},
        // Missing folders and a file.
        {R"({"gone-1.0": true, "file-1.0": true, "a-1.0": true})", {"a-1.0"}},
        // Escaped keys.
        {R"({"\u0061-1.0": true, "\u00fc-1.0": true})", {"a-1.0", "\xc3\xbc-1.0"}},
        // Keys that are not one component of a path.
        {R"({"": true, ".": true, "..": true, "a-1.0/x": true, "../b-2.0": true, "a\u0000": true,
           "\ud800": true, "b-2.0": true})",
         {"b-2.0"}},
        // A folder reached through a link.
        {R"({"linked-1.0": true})", {}},
        // Nothing of a file that is not one object of distinct keys, not UTF-8, too large, or a
        // link.
        {R"({"a-1.0": true, "a-1.0": false})", {}},
        {R"({"a-1.0": true,})", {}},
        {R"(["a-1.0"])", {}},
        {"{\"a-1.0\": true, \"\xff\": true}", {}},
        {R"({"a-1.0": true} x)", {}},
        {R"({"a-1.0": true, "pad": ")" + std::string(1024 * 1024, 'x') + "\"}", {}},
        {"-> ../../elsewhere/.obsolete", {}},
    };
    for (const auto& [obsolete, expected] : cases) {
        SCOPED_TRACE(obsolete.substr(0, 80));
        FreedesktopHome fixture;
        const std::string extensions = ".vscode-oss/extensions/";
        fixture.build({extensions + "a-1.0/package.json", extensions + "b-2.0/package.json",
                       extensions + "c-3.0/package.json", extensions + "d-4.0/",
                       extensions + "e-5.0/", extensions + "\xc3\xbc-1.0/", extensions + "file-1.0",
                       extensions + "linked-1.0 -> a-1.0",
                       "elsewhere/.obsolete = {\"a-1.0\": true}"});
        fixture.build(
            {extensions + ".obsolete" + (obsolete.starts_with("->") ? " " : " = ") + obsolete});
        Lines expectedLines;
        for (const auto& folder : expected) {
            expectedLines.push_back(folder + " @ " + extensions + folder + "/");
        }
        EXPECT_EQ(fixture.searched("OLD_VERSIONS"), expectedLines);
    }
}

// Versions go by product, numbers compare as integers and a tie keeps the first. Links, hidden
// folders, files, names that do not match and settings are never versions to remove.
TEST(FreedesktopFindersTest, OlderJetBrainsVersions) {
    FreedesktopHome fixture;
    const std::string data = ".local/share/JetBrains/";
    const auto layOut = [&](const Lines& folders) {
        for (const std::string& folder : folders) {
            fixture.build({data + folder + "/x"});
        }
    };
    layOut({"IntelliJIdea2023.1", "IntelliJIdea2024.1", "IntelliJIdea2023.3", "PyCharm2023.2",
            "PyCharmCE2023.1", "PyCharmCE2023.2", "Rider2024.1", "Go2024.9", "Go2024.10",
            "go2023.1", "Go2023.100", "Foo2024.01", "Foo2024.1", "Foo2023.5"});
    // Names that do not match leave Web2023.1 the only version of its product.
    layOut({"WebStorm2024.1.2", "Web2024.1-backup", "2024.1", "Web24.1", "Web2024.", "Web2024.x",
            "Web Storm2024.1", "Web2023.1"});
    fixture.build({data + "Go2020.1 -> Go2024.9", data + ".Go2019.1/", data + "Go2018.1",
                   ".config/JetBrains/Go2017.1/x"});
    Lines expected;
    for (const char* older : {"Foo2023.5", "Foo2024.1", "Go2023.100", "Go2024.9",
                              "IntelliJIdea2023.1", "IntelliJIdea2023.3", "PyCharmCE2023.1"}) {
        expected.push_back(std::string(older) + " @ " + data + older + "/");
    }
    EXPECT_EQ(fixture.searched("OLD_VERSIONS"), expected);
}

TEST(FreedesktopFindersTest, NothingIsReachedThroughALink) {
    struct Case {
        std::string key;
        std::string item;        // an item's location, relative to the home
        std::size_t anchorDepth; // components that make up the base folder (0: the home)
        bool listed;             // the item is an entry of a listing, where a link is an item
    };
    const std::vector<Case> cases{
        {"XDG_CACHE", ".cache/fontconfig", 1, true},
        {"THUMBNAILS", ".cache/thumbnails/large", 1, true},
        {"FREEDESKTOP_TRASH", ".local/share/Trash/files/dir", 2, true},
        {"FIREFOX_CACHE", "snap/firefox/common/.cache/mozilla/firefox/p/cache2", 0, false},
        {"CHROME_CACHE", ".cache/google-chrome/Default/Sub/Cache", 1, false},
        {"CHROMIUM_CACHE", ".config/chromium/Default/Service Worker/CacheStorage", 1, false},
        {"SLACK_CACHE", ".var/app/com.slack.Slack/config/Slack/Cache", 0, false},
        {"SPOTIFY_CACHE", ".cache/spotify/Data", 1, false},
        {"DEVELOPER_CACHES", ".cargo/registry/src", 0, false},
        {"OLD_VERSIONS", ".local/share/JetBrains/Go2023.1", 2, false},
        {"CRASH_REPORTS", "root/var/crash/a.crash", 1, false},
    };
    for (const auto& [key, item, anchorDepth, listed] : cases) {
        std::vector<std::string> levels;
        std::filesystem::path level;
        for (const auto& component : std::filesystem::path(item)) {
            level /= component;
            levels.push_back(level.string());
        }
        // Every level: the base folder itself (followed), each folder below it and the item.
        for (std::size_t depth = std::max<std::size_t>(anchorDepth, 1); depth <= levels.size();
             ++depth) {
            const std::string& linked = levels[depth - 1];
            SCOPED_TRACE(key + " linked at " + linked);
            FreedesktopHome fixture;
            fixture.build(
                {key == "CRASH_REPORTS" ? item : item + "/x", ".local/share/JetBrains/Go2024.1/x"});
            std::filesystem::create_directories(fixture.home.pathOf("moved"));
            std::filesystem::rename(fixture.home.pathOf(linked), fixture.home.pathOf("moved/it"));
            fixture.home.link(linked, fixture.home.pathOf("moved/it"));
            fixture.rechoose();
            const Lines found = fixture.searched(key);
            if (depth == anchorDepth) {
                EXPECT_EQ(found.size(), 1U) << "a base folder that is a link is followed";
            } else if (depth == levels.size() && listed) {
                EXPECT_EQ(found,
                          (Lines{std::filesystem::path(item).filename().string() + " @ " + item}));
            } else {
                EXPECT_TRUE(found.empty()) << found.front();
            }
        }
    }
}

TEST(FreedesktopFindersTest, BaseFoldersFromTheVariables) {
    FreedesktopHome fixture;
    fixture.build({"xdg/cache/fontconfig/x", "xdg/data/Trash/files/t", ".cache/ignored/x",
                   "elsewhere/data/Trash/files/relative"});
    setenv("XDG_CACHE_HOME", fixture.home.pathOf("xdg/cache").c_str(), 1);
    setenv("XDG_DATA_HOME", fixture.home.pathOf("xdg/data").c_str(), 1);
    fixture.rechoose();
    EXPECT_EQ(fixture.searched("XDG_CACHE"), (Lines{"fontconfig @ xdg/cache/fontconfig/"}));
    EXPECT_EQ(fixture.searched("FREEDESKTOP_TRASH"), (Lines{"t @ xdg/data/Trash/files/t"}));

    // Relative values are ignored; a cache folder that holds the home would offer everything.
    setenv("XDG_CACHE_HOME", "xdg/cache", 1);
    fixture.rechoose();
    EXPECT_EQ(fixture.searched("XDG_CACHE"), (Lines{"ignored @ .cache/ignored/"}));
    for (const std::string& holder :
         {fixture.home.path(), std::string("/tmp"), fixture.home.pathOf("xdg")}) {
        SCOPED_TRACE(holder);
        setenv("XDG_CACHE_HOME", holder.c_str(), 1);
        fixture.rechoose();
        EXPECT_TRUE(fixture.searched("XDG_CACHE").empty());
    }
}

TEST(MacosFindersTest, EveryCategoryInOrderOnOneHome) {
    // The freedesktop fixture's home and system root, searched by the macOS finders.
    FreedesktopHome fixture;
    Layout::choose(LayoutKind::macos);
    EngineStrings::setLocale(QLocale(QLocale::English));
    CategoryList categories = predefinedCategories();
    categories.push_back(std::make_shared<RemnantsFinder>()); // in no predefined list
    ASSERT_EQ(categories.size(), finderCases().size());
    for (const auto& category : categories) {
        category->search();
        EXPECT_TRUE(category->result()->items().empty()) << "missing base folders give nothing";
    }

    for (const FinderCase& row : finderCases()) {
        for (const std::string& entry : row.tree) {
            fixture.build({row.base + entry});
        }
    }
    for (const auto& [path, identifier, version] : std::vector<std::array<std::string, 3>>{
             {"Editor.app", "org.sample.Editor", "3.1"},
             {"NoVersion.app", "org.sample.NoVersion", ""},
             {"Files.app", "org.sample.Files", "2.0"},
             {"Editor.app/Contents/Library/LoginItems/Helper.app", "org.sample.Helper", "1.0"},
             {"Viewer.app", "org.sample.Viewer", ""},
             {"Other.app", "org.sorvane.Sorvane", ""},
             {"Sorvane.app", "org.sample.different", ""},
             {"Notes.app", "com.apple.Notes", ""}}) {
        test::makeApp(fixture.home, "root/Applications/" + path, identifier,
                      test::PlistFormat::binary, version);
    }
    // The user's own Applications folder holds no installed applications.
    test::makeApp(fixture.home, "Applications/Local.app", "org.sample.Local");

    for (std::size_t i = 0; i < categories.size(); ++i) {
        const FinderCase& row = finderCases()[i];
        SCOPED_TRACE(row.key);
        EXPECT_EQ(dynamic_cast<const CategoryFinder&>(*categories[i]).nameKey(), row.key);
        categories[i]->search();
        EXPECT_EQ(describedBelow(fixture.home, row.base, *categories[i]->result()), row.expected);
        // A search adds to the result; emptying it in between is the engine's part.
        categories[i]->search();
        EXPECT_EQ(categories[i]->result()->items().size(), 2 * row.expected.size());
    }
}

TEST(MacosFindersTest, EveryCategoryIsNamedInEachLanguage) {
    for (const auto language : {QLocale::English, QLocale::German}) {
        EngineStrings::setLocale(QLocale(language));
        for (const CategoryList& list : {predefinedCategories(), freedesktopCategories()}) {
            for (const auto& category : list) {
                const char* key = dynamic_cast<const CategoryFinder&>(*category).nameKey();
                EXPECT_NE(category->result()->name(), QString::fromUtf8(key)) << key << language;
            }
        }
    }
    // Names are taken when a finder is made.
    EXPECT_EQ(UserCacheFinder().result()->name(), QStringLiteral("Benutzer-Caches"));
    EngineStrings::setLocale(QLocale(QLocale::Japanese));
    EXPECT_EQ(EngineStrings::text("RECYCLE_BIN"), QStringLiteral("Trash")) << "English stands in";
    EXPECT_EQ(EngineStrings::text("NO_SUCH_KEY"), QStringLiteral("NO_SUCH_KEY"));
    EngineStrings::setLocale(QLocale(QLocale::English));
}
