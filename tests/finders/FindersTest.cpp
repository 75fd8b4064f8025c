#include "engine/EngineStrings.h"
#include "finders/PredefinedCategories.h"
#include "finders/RemnantsFinder.h"
#include "finders/freedesktop/FreedesktopCategories.h"
#include "platform/places/Layout.h"
#include "support/BundleFixture.h"
#include "support/FreedesktopHome.h"
#include "support/Processes.h"
#include "support/ResultDescription.h"

#include <algorithm>
#include <array>
#include <filesystem>
#include <gtest/gtest.h>
#include <regex>
#include <sstream>
#include <sys/stat.h>
#include <unistd.h>

using namespace sorvane;
using test::FreedesktopHome;
using Lines = std::vector<std::string>;

namespace {

// Shell-style braces: "a/{b,c}/d" stands for "a/b/d" and "a/c/d", in that order.
Lines expanded(const Lines& entries) {
    Lines out;
    for (const std::string& entry : entries) {
        const auto open = entry.find('{');
        const auto close = entry.find('}', open);
        if (close == std::string::npos || entry.find(',', open) > close) {
            out.push_back(entry);
            continue;
        }
        std::istringstream choices(entry.substr(open + 1, close - open - 1));
        for (std::string choice; std::getline(choices, choice, ',');) {
            std::ranges::copy(expanded({entry.substr(0, open) + choice + entry.substr(close + 1)}),
                              std::back_inserter(out));
        }
    }
    return out;
}

struct Row {
    std::string key;
    Lines tree;
    // A bare path stands for "<its last name> @ <path>"; left empty, the folder of each tree
    // entry is expected, in order.
    Lines expected = {};
    std::string base = ""; // the tree and the expected paths lie below it
};

// The expected lines of a row as test::describe writes them, relative to the home.
Lines expectedLines(const Row& row) {
    Lines lines = expanded(row.expected);
    for (const std::string& entry : row.expected.empty() ? expanded(row.tree) : Lines{}) {
        lines.push_back(entry.substr(0, entry.rfind('/') + 1));
    }
    for (std::string& line : lines) {
        if (line.find(" @ ") == std::string::npos) {
            const std::string path = line.ends_with('/') ? line.substr(0, line.size() - 1) : line;
            line = path.substr(path.rfind('/') + 1) + " @ " + line;
        }
        line = std::regex_replace(line, std::regex(" ([@+]) (?!- )"), " $1 " + row.base);
    }
    return lines;
}

// Searches the categories on the empty home, where they find nothing, then lays out every row
// and what addMore adds: each category in turn finds its row's items, and finds them once more
// on a second search, as emptying the result in between is the engine's part. Every location
// found, urls and suburls, is added to locations.
void searchEveryRow(Lines& locations, const FreedesktopHome& fixture,
                    const CategoryList& categories, const std::vector<Row>& rows,
                    const std::function<void()>& addMore) {
    ASSERT_EQ(categories.size(), rows.size());
    for (const auto& category : categories) {
        category->search();
        ASSERT_NE(category->result(), nullptr);
        EXPECT_TRUE(category->result()->items().empty()) << "missing base folders give nothing";
    }
    for (const Row& row : rows) {
        for (const std::string& entry : expanded(row.tree)) {
            fixture.build({row.base + entry});
        }
    }
    addMore();
    for (std::size_t i = 0; i < categories.size(); ++i) {
        SCOPED_TRACE(rows[i].key);
        categories[i]->search();
        const Lines expected = expectedLines(rows[i]);
        EXPECT_EQ(test::describe(fixture.home, *categories[i]->result()), expected);
        for (const auto& item : categories[i]->result()->items()) {
            if (item->url()) {
                locations.push_back(item->url()->path());
            }
            for (const auto& suburl : item->suburls()) {
                locations.push_back(suburl.path());
            }
        }
        categories[i]->search();
        EXPECT_EQ(categories[i]->result()->items().size(), 2 * expected.size());
    }
}

// A trashed name is bytes: odd is not UTF-8 and holds a line break.
const std::string odd = "r\xe9sum\xe9\n.txt", firefox = ".cache/mozilla/firefox/",
                  profile = firefox + "abc.default-release/", chrome = ".cache/google-chrome/",
                  chromeConfig = ".config/google-chrome/", jetBrains = ".local/share/JetBrains/",
                  steam = ".local/share/Steam/", telegram = ".local/share/TelegramDesktop/",
                  crash = "root/var/crash/", internet = "{stock:applications-internet}",
                  element = ".config/Element/";
// One row per freedesktop category, in search order: native, Snap and Flatpak roots, profiles,
// and the look-alikes that must not count.
const std::vector<Row> freedesktopRows{
    {"XDG_CACHE",
     {"fontconfig/a", "loose.bin", ".hidden/x", "linked -> /etc", "mozilla/x", "JetBrains/x"},
     {"fontconfig/", "linked", "loose.bin"},
     ".cache/"},
    // A group per sandbox, named by its desktop entry, else by its id; never what another
    // category reads, an old revision, a cache that is a link or a revision outside the Snap.
    {"SANDBOX_CACHES",
     {".var/app/org.example.{Viewer/cache/fontconfig/x,Viewer/cache/a.db,Viewer/config/c,Plain/"
      "cache/x}",
      ".var/app/org.example.{Viewer/cache/.hidden/x,Empty/cache/,Linked/cache -> ../Plain/cache}",
      ".local/share/flatpak/exports/share/applications/org.example.Viewer.desktop = [Desktop "
      "Action new]\nName=Wrong\n[Desktop Entry]\nName[de]=Betrachter\nName = Viewer\n",
      "snap/skype/{current -> 101,101/.cache/x,100/.cache/old,common/.cache/y}",
      "root/var/lib/snapd/desktop/applications/skype_skype.desktop = [Desktop Entry]\nName=Skype",
      "snap/evil/{current -> ../../Documents,common/.cache/z}", "Documents/.cache/letter.odt"},
     {"org.example.Plain @ - + .var/app/org.example.Plain/cache/x {stock:application-x-executable}",
      "Viewer @ - + .var/app/org.example.Viewer/cache/a.db + .var/app/org.example.Viewer/cache/"
      "fontconfig/ {stock:application-x-executable}",
      "evil @ - + snap/evil/common/.cache/z {stock:application-x-executable}",
      "Skype @ - + snap/skype/common/.cache/y + snap/skype/101/.cache/x "
      "{stock:application-x-executable}"}},
    {"THUMBNAILS",
     {"large/a.png", "normal/b.png", ".hidden", "x-link -> large"},
     {"large/", "normal/", "x-link"},
     ".cache/thumbnails/"},
    {"FREEDESKTOP_TRASH",
     {"files/{a.txt,.hidden,folder/inside,b/x}", "files/" + odd, "files/link -> /etc/passwd",
      "info/{a.txt,.hidden,link,b,gone,,.gone}.trashinfo", "info/" + odd + ".trashinfo",
      "info/folder.trashinfo -> a.txt.trashinfo", "info/stale.trashinfo -> /nonexistent",
      "info/notes.txt", "expunged/{123,456/x}"},
     {".hidden @ files/.hidden + info/.hidden.trashinfo",
      "a.txt @ files/a.txt + info/a.txt.trashinfo", "b @ files/b/ + info/b.trashinfo",
      "files/folder/", "link @ files/link + info/link.trashinfo",
      QString::fromStdString(odd).toStdString() + " @ files/" + odd + " + info/" + odd +
          ".trashinfo",
      "Trash records without files @ - + info/.gone.trashinfo + info/gone.trashinfo "
      "{stock:user-trash-full}",
      "Left over from emptying the trash @ - + expunged/123 + expunged/456/ "
      "{stock:user-trash-full}"},
     ".local/share/Trash/"},
    {"FIREFOX_CACHE",
     {profile + "{cache2/entries/E1,startupCache/s,thumbnails,safebrowsing/x}",
      firefox + "zz.work/cache2 -> ../abc.default-release/cache2",
      firefox + "linked -> abc.default-release", firefox + ".hidden/cache2/x",
      firefox + "profiles.ini", "snap/firefox/common/" + firefox + "snp.default/cache2/x",
      ".var/app/org.mozilla.firefox/cache/mozilla/firefox/fp.default/startupCache/x"},
     {profile + "{cache2/,startupCache/,thumbnails}",
      "snap/firefox/common/" + firefox + "snp.default/cache2/",
      ".var/app/org.mozilla.firefox/cache/mozilla/firefox/fp.default/startupCache/"}},
    {"THUNDERBIRD_CACHE",
     {"{.cache,.var/app/org.mozilla.Thunderbird/cache}/thunderbird/p1.default/"
      "{cache2,startupCache}/x"}},
    // Caches by exact name at any depth, never in hidden folders, packages or links; in the
    // configuration only the shared caches and the profiles' own.
    {"CHROME_CACHE",
     {chrome + "Default/{Cache/Cache_Data/x,Cache/inner/Cache/y,Code Cache/js/z}",
      chrome + "{Default/Storage/ext/Cache/w,.hidden/Cache/q,Profile 1/Ext.app/Cache/q}",
      chrome + "Profile 1/Cache -> ../Default/Cache", chrome + "Profile 2 -> Default",
      chromeConfig + "{ShaderCache/a,ShaderCache/GPUCache/a,GraphiteDawnCache/a}",
      chromeConfig + "Default/{GPUCache/a,Cache/a,Service Worker/CacheStorage/a}",
      chromeConfig + "Default/Service Worker/Database/a",
      ".var/app/com.google.Chrome/config/google-chrome/Profile 3/DawnCache/a"},
     {chrome + "Default/{Cache/,Code Cache/,Storage/ext/Cache/}",
      chromeConfig + "{ShaderCache/,GraphiteDawnCache/,Default/GPUCache/}",
      chromeConfig + "Default/Service Worker/CacheStorage/",
      ".var/app/com.google.Chrome/config/google-chrome/Profile 3/DawnCache/"}},
    // The other browsers of the family, and the Electron programs, differ in their roots.
    {"CHROMIUM_CACHE",
     {"snap/chromium/common/{.cache/chromium/Default/Cache,chromium/Default/GPUCache}/x"}},
    {"BRAVE_CACHE",
     {".var/app/com.brave.Browser/config/BraveSoftware/Brave-Browser/Default/GPUCache/x"}},
    {"EDGE_CACHE", {".config/microsoft-edge/Default/Service Worker/ScriptCache/x"}},
    {"VIVALDI_CACHE", {".var/app/com.vivaldi.Vivaldi/cache/vivaldi/Default/Cache/x"}},
    {"VSCODE_CACHE",
     {".config/Code/{Cache/x,CachedData/x,User/settings.json,Code Cache}",
      ".config/Code/GPUCache -> Cache", ".config/Code/Service Worker/ScriptCache/x",
      ".var/app/com.visualstudio.code/config/Code/CachedExtensionVSIXs/x"},
     {".config/Code/{Cache/,Code Cache,CachedData/,Service Worker/ScriptCache/}",
      ".var/app/com.visualstudio.code/config/Code/CachedExtensionVSIXs/"}},
    {"SLACK_CACHE", {".var/app/com.slack.Slack/config/Slack/DawnCache/x"}},
    {"DISCORD_CACHE", {".config/discord/GPUCache/x"}},
    {"SIGNAL_CACHE", {".var/app/org.signal.Signal/config/Signal/Service Worker/CacheStorage/x"}},
    // Programs by the magic of a Chromium cache index, one level deeper only below a folder that
    // is none; storage, links, a foreign Cache, old revisions and known browsers are left alone.
    {"CHROMIUM_PROGRAMS",
     {".config/{Element/Cache/Cache_Data,chromium/Default/Cache,opera/Default/Code Cache/js,"
      "BraveSoftware/Brave-Browser-Beta/GPUCache}/index = oy retne",
      ".config/Microsoft/Microsoft Teams/GPUCache/index = \xc3\xca\x03\xc1",
      ".config/Element/{Code Cache/js/x,GPUCache/x,DawnGraphiteCache/x,Local "
      "Storage/x,IndexedDB/x}",
      ".config/Element/{Cookies,Preferences,Local State,Service Worker/Database/x}",
      ".config/Element/{Service Worker/ScriptCache/x,GrShaderCache -> /tmp}",
      ".config/Microsoft/Microsoft Teams/{Cache/x,IndexedDB/x}",
      ".config/opera/{Local State,ShaderCache/x,Default/Cookies,Default/Cache/x}",
      ".config/otherapp/{Cache/index,Cache/data_0,GPUCache/x,Local State}",
      ".config/linked/GPUCache/index -> ../../Element/Cache/Cache_Data/index",
      "{.var/app/md.obsidian.Obsidian/config/obsidian,snap/skype/101/.config/skypeforlinux}/"
      "GPUCache/index = oy retne",
      "snap/skype/100/.config/skypeforlinux/Cache/index = oy retne"},
     {"Brave-Browser-Beta @ - + .config/BraveSoftware/Brave-Browser-Beta/GPUCache/ " + internet,
      "Element @ - + " + element + "Cache/ + " + element + "Code Cache/ + " + element +
          "GPUCache/ + " + element + "DawnGraphiteCache/ + " + element +
          "Service Worker/ScriptCache/ " + internet,
      "Microsoft Teams @ - + .config/Microsoft/Microsoft Teams/GPUCache/ " + internet,
      "opera @ - + .config/opera/ShaderCache/ + .config/opera/Default/Code Cache/ " + internet,
      "obsidian @ - + .var/app/md.obsidian.Obsidian/config/obsidian/GPUCache/ " + internet,
      "skypeforlinux @ - + snap/skype/101/.config/skypeforlinux/GPUCache/ " + internet}},
    {"SPOTIFY_CACHE",
     {".cache/spotify/{Data,Storage,Users}/x", "snap/spotify/common/.cache/spotify/Browser/x"},
     {".cache/spotify/{Data,Storage}/", "snap/spotify/common/.cache/spotify/Browser/"}},
    // Games, saves, settings and the Proton prefixes are the player's.
    {"STEAM_CACHE",
     {steam + "{steamapps/shadercache/570/x,config/htmlcache/x,appcache/httpcache/x}",
      steam + "{steamapps/common/Game/x,steamapps/compatdata/570/x,userdata/1/x,config/a.vdf}",
      ".steam/steam -> ../.local/share/Steam",
      ".steam/debian-installation/config/htmlcache -> /tmp",
      ".var/app/com.valvesoftware.Steam/" + steam + "steamapps/shadercache/10/x"},
     {steam + "{steamapps/shadercache/,config/htmlcache/,appcache/httpcache/}",
      ".var/app/com.valvesoftware.Steam/" + steam + "steamapps/shadercache/"}},
    // Every account's caches; the keys, the settings and old revisions of the Snap are not read.
    {"TELEGRAM_CACHE",
     {telegram + "tdata/{user_data,user_data#2}/{cache,media_cache}/x",
      telegram + "tdata/{user_data/emoji,user_data#x/cache,user_data#/cache,D877F783D5D3EF8C}/x",
      telegram + "tdata/key_datas", "snap/telegram-desktop/current -> 1234",
      "snap/telegram-desktop/{1233,1234}/" + telegram + "tdata/user_data/cache/x"},
     {telegram + "tdata/{user_data,user_data#2}/{cache,media_cache}/",
      "snap/telegram-desktop/1234/" + telegram + "tdata/user_data/cache/"}},
    {"DEVELOPER_CACHES",
     {".cache/pip/http/x", ".npm/{_cacache/index,_npx/a}/x",
      ".cargo/{registry/index,registry/cache,git/db,git/checkouts}/x", ".gradle/caches/x",
      ".cache/yarn -> /tmp", ".m2/{repository/org/x,settings.xml}",
      "go/pkg/mod/{cache/download,a}/x",
      ".cache/JetBrains/WebStorm2024.2/{caches/x,LocalHistory/x,port}"},
     {"pip Cache @ - + .cache/pip/ {stock:folder}",
      "npm Cache @ - + .npm/_cacache/ + .npm/_npx/ {stock:folder}",
      "Cargo Cache @ - + .cargo/registry/index/ + .cargo/registry/cache/ + .cargo/git/db/ + "
      ".cargo/git/checkouts/ {stock:folder}",
      "Gradle Cache @ - + .gradle/caches/ {stock:folder}",
      "Maven Repository @ - + .m2/repository/ {stock:folder}",
      "Go Module Cache @ - + go/pkg/mod/ {stock:folder}",
      "WebStorm2024.2 Caches @ - + .cache/JetBrains/WebStorm2024.2/caches/ {stock:folder}"}},
    // JetBrains versions go by product, numbers compare as integers and a tie keeps the
    // first. Links, hidden folders, files, names that do not match and settings are never
    // versions to remove; the names that do not match leave Web2023.1 the only version.
    {"OLD_VERSIONS",
     {".vscode/extensions/.obsolete = {\"ms-python.python-2023.1.0\": true}",
      ".vscode/extensions/ms-python.python-{2023.1.0,2024.2.0}/package.json",
      ".cache/JetBrains/PyCharm{2023.1,2024.1}/x",
      jetBrains + "{IntelliJIdea2023.1,IntelliJIdea2024.1,IntelliJIdea2023.3,PyCharm2023.1,"
                  "PyCharm2023.3,PyCharmCE2023.1,PyCharmCE2023.2,Rider2024.1,Go2024.9,"
                  "Go2024.10,go2023.1,Go2023.100,Foo2024.01,Foo2024.1,Foo2023.5}/x",
      jetBrains + "{WebStorm2024.1.2,Web2024.1-backup,2024.1,Web24.1,Web2024.,Web2024.x,"
                  "Web Storm2024.1,Web2023.1}/x",
      jetBrains + "Go2020.1 -> Go2024.9", jetBrains + ".Go2019.1/", jetBrains + "Go2018.1",
      ".config/JetBrains/{PyCharm2022.1,PyCharm2023.1,Go2017.1}/x",
      ".gradle/wrapper/dists/gradle-{8.9-all,8.10-bin,8.10-all,8.10-rc-1-bin,x-bin,8.10}/h/x"},
     {".vscode/extensions/ms-python.python-2023.1.0/", ".cache/JetBrains/PyCharm2023.1/",
      jetBrains + "{Foo2023.5,Foo2024.1,Go2023.100,Go2024.9,IntelliJIdea2023.1,"
                  "IntelliJIdea2023.3,PyCharm2023.1,PyCharmCE2023.1}/",
      ".gradle/wrapper/dists/gradle-{8.10-rc-1-bin,8.9-all}/"}},
    // A pipe and a report of another user (made so by the test) are not the user's reports.
    {"CRASH_REPORTS",
     {crash + "{mine.crash,.hidden.crash,mine.crash.upload,folder.crash/}",
      crash + "link.crash -> mine.crash",
      ".mozilla/firefox/{Crash Reports/pending/1.dmp,a.default/minidumps/2.dmp,a.default/prefs.js}",
      "snap/firefox/common/.mozilla/firefox/Crash Reports/x"},
     {crash + "{.hidden.crash,mine.crash}",
      "Firefox Crash Reports @ - + .mozilla/firefox/Crash Reports/ + "
      ".mozilla/firefox/a.default/minidumps/ + snap/firefox/common/.mozilla/firefox/Crash Reports/ "
      "{stock:dialog-warning}"}},
    // Each prefix's temporary folders stay, their entries go; a link is no folder of the prefix.
    {"WINE_TEMP",
     {".wine/drive_c/windows/{temp/a.tmp,temp/inst/x,system32/x}",
      ".wine/drive_c/users/alice/{Temp/t1,AppData/Local/Temp/t2,Documents/x}",
      ".wine/drive_c/users/bob/Temp -> /tmp",
      ".local/share/wineprefixes/game/drive_c/windows/temp/g",
      ".local/share/wineprefixes/bare/drive_c/windows/temp/"},
     {".wine @ - + .wine/drive_c/windows/temp/a.tmp + .wine/drive_c/windows/temp/inst/ + "
      ".wine/drive_c/users/alice/Temp/t1 + .wine/drive_c/users/alice/AppData/Local/Temp/t2 "
      "{stock:folder}",
      "game @ - + .local/share/wineprefixes/game/drive_c/windows/temp/g {stock:folder}"}},
    {"LOGS",
     {".xsession-errors{,.old}", ".local/share/xorg/Xorg.0.{log,log.old,conf}", ".npm/_logs/x",
      ".gradle/daemon/8.5/{daemon-1.out.log,registry.bin}", steam + "logs/x",
      telegram + "{log.txt,log_start0.txt,settings.txt}", ".config/Code/logs/x"},
     {"Session Logs @ - + .xsession-errors + .xsession-errors.old + .local/share/xorg/Xorg.0.log + "
      ".local/share/xorg/Xorg.0.log.old {stock:text-x-generic}",
      "npm Logs @ - + .npm/_logs/ {stock:text-x-generic}",
      "Gradle Daemon Logs @ - + .gradle/daemon/8.5/daemon-1.out.log {stock:text-x-generic}",
      "Steam Logs @ - + " + steam + "logs/ {stock:text-x-generic}",
      "Telegram Logs @ - + " + telegram + "log.txt + " + telegram +
          "log_start0.txt {stock:text-x-generic}",
      "Visual Studio Code Logs @ - + .config/Code/logs/ {stock:text-x-generic}"}},
};

// One row per macOS category, in search order, all laid out in one home: what one finder
// offers may be another's too, as user caches are.
const std::vector<Row> macosRows{
    {"MAPS_CACHE",
     {"Containers/com.apple.Maps/{Data/cache.db,.com.apple.containermanagerd.metadata.plist}",
      "Caches/com.apple.Maps.Suggestions"},
     {"Containers/com.apple.Maps/Data/", "Maps Suggestions @ Caches/com.apple.Maps.Suggestions"},
     "Library/"},
    {"MUSIC_CACHE",
     {"Library/Caches/com.apple.Music/b", "Music/iTunes/Album Artwork/Cache/a.itc"},
     {"Library/Caches/com.apple.Music/b", "Album Artwork Cache @ Music/iTunes/Album Artwork/"}},
    {"APPLE_TV_FINDER",
     {"Library/Caches/com.apple.TV/{fsCachedData/x,Cache.db}"},
     {"Library/Caches/com.apple.TV/{Cache.db,fsCachedData/}"}},
    // Our own identifier never matches by identifier; a name does, whatever the identifier.
    {"SAVED_APPLICATION_STATES",
     {"org.sample.Viewer.savedState/windows.plist",
      "{org.sorvane.Sorvane,Sorvane,com.apple.Notes,twice.savedState,.hidden}.savedState/w",
      "Plain/w"},
     {"Plain @ Plain/", "Sorvane @ Sorvane.savedState/ {file:root/Applications/Sorvane.app}",
      "com.apple.Notes @ com.apple.Notes.savedState/",
      "Viewer @ org.sample.Viewer.savedState/ {file:root/Applications/Viewer.app}",
      "org.sorvane.Sorvane @ org.sorvane.Sorvane.savedState/",
      "twice @ twice.savedState.savedState/"},
     "Library/Saved Application State/"},
    {"BRAVE_BROWSER", {"BraveBrowser/Default/Cache/x"}, {"BraveBrowser/"}, "Library/Caches/"},
    // Nested matches by exact name, never inside a bundle.
    {"CHROME_BROWSER",
     {"Default/{Cache/data_0,Code Cache/js/x,Storage/ext/Cache/y}",
      "Profile 1/{Cache/z,cache/lower,Caches/plural,.Cache/hidden,Ext.bundle/Cache/inside}"},
     {"Default/{Cache/,Code Cache/,Storage/,Storage/ext/Cache/}", "Profile 1/Cache/"},
     "Library/Caches/Google/Chrome/"},
    // Groups of the applications' own crash folders (a file counts) come before the
    // reporter's entries.
    {"APPLICATION_CRASHES",
     {"Firefox/Crash Reports/pending/1.dmp", "Vivaldi/CrashPad",
      "CrashReporter/{Editor_2026-12-01.crash,.DS_Store}"},
     {"Vivaldi @ - + Vivaldi/CrashPad {file:root/Applications/Vivaldi.app}",
      "Firefox @ - + Firefox/Crash Reports/ {file:root/Applications/Firefox.app}",
      "CrashReporter/Editor_2026-12-01.crash"},
     "Library/Application Support/"},
    {"FACETIME_CACHE", {"Library/Containers/com.apple.FaceTime/Data/x"}},
    // Each profile's own entries, so that every byte counts once.
    {"FIREFOX",
     {"abc.default/{cache2/entries/E1,cache2/entries/E2,startupCache/s.bin}",
      "xyz.work/cache2/doomed/D", "stray-file"},
     {"abc.default/{cache2/,startupCache/}", "xyz.work/cache2/"},
     "Library/Caches/Firefox/Profiles/"},
    // Downloads first, then every attachment file, however deep.
    {"MAIL_ATTACHMENTS",
     {"Containers/com.apple.mail/Data/Library/Mail Downloads/0F1A/invoice.pdf",
      "Mail/V10/Inbox.mbox/Messages/1.emlx", "Mail/V10/A.mbox/Attachments/1/2/photo.jpg",
      "Mail/V10/A.mbox/Attachments/4/Slides.bundle/Contents/x",
      "Mail/V10/B.mbox/Attachments/9/Attachments/nested.txt", "Mail/V10/C.mbox/Attachments"},
     {"Containers/com.apple.mail/Data/Library/Mail Downloads/0F1A/",
      "Mail/V10/A.mbox/Attachments/{1/2/photo.jpg,4/Slides.bundle/}",
      "Mail/V10/B.mbox/Attachments/9/Attachments/nested.txt"},
     "Library/"},
    {"MESSAGES_CACHE", {"Library/Containers/com.apple.MobileSMS/Data/y"}},
    // Skipped: bundles without a version text, only files in Versions, embedded bundles.
    // A link to a version names it once more; it is reported once.
    {"OLD_APP_VERSIONS",
     {"Editor.app/Contents/Versions/{2.9,3.0,3.1}/Editor",
      "Editor.app/Contents/Versions/Current -> 3.1",
      "Editor.app/Contents/Versions/Previous -> ../Versions/3.0",
      "NoVersion.app/Contents/Versions/1.0/", "Files.app/Contents/Versions/1.0",
      "Editor.app/Contents/Library/LoginItems/Helper.app/Contents/Versions/0.9/"},
     {"2.9 @ Editor.app/Contents/Versions/2.9/ {file:root/Applications/Editor.app}",
      "3.0 @ Editor.app/Contents/Versions/3.0/ {file:root/Applications/Editor.app}"},
     "root/Applications/"},
    {"RECYCLE_BIN",
     {"Library/.Trash/{old report.pdf,Folder/inner,.DS_Store}", ".Trash/not-this-one"},
     {"Library/.Trash/{Folder/,old report.pdf}"}},
    {"SAFARI", {"Library/Caches/com.apple.safari/WebKitCache/x"}},
    {"SPOTIFY_CACHE",
     {"com.spotify.client/{Browser,Data,Storage,data}/x", "com.spotify.installer"},
     {"com.spotify.client/{Browser,Data}/"},
     "Library/Caches/"},
    {"THUNDERBIRD",
     {"Library/Caches/Thunderbird/Profiles/{p1/cache2,p2/x}"},
     {"Library/Caches/Thunderbird/"}},
    // Every cache folder but those of the finders on the blacklist, so that the folders of
    // Brave, Firefox, Chrome (Google) and the lower-case com.apple.safari count twice. A
    // link in place of one is no cache folder, its target not being the user's cache.
    {"USER_CACHE",
     {"com.apple.{Safari,SafariServices,TVRemote,Maps,music,Notes}/d",
      "{com.spotify.installer.update,org.sample.Editor,org.sample.Orphan}/d",
      "com.systemtoolkit.agent/d", "plain-file", ".hidden/d", "org.sample.Linked -> /tmp"},
     {"{BraveBrowser,Firefox,Google,com.apple.Notes,com.apple.music,com.apple.safari}/",
      "Editor Cache @ org.sample.Editor/ {file:root/Applications/Editor.app}",
      "org.sample.Orphan/"},
     "Library/Caches/"},
    {"WHATSAPP_CACHE",
     {"deep/voip_crash_log.txt{,.bak}", "GPUCache/data", ".Cache/hidden", "Session Storage/x"},
     {"GPUCache/", "Session Storage/", "deep/voip_crash_log.txt"},
     "Library/Containers/desktop.WhatsApp/Data/Library/Application Support/WhatsApp/"},
    // Only builds with a product count.
    {"XCODE_CACHE",
     {"DerivedData/Alpha-abc/Build/Products/Debug/Alpha.app/Contents/",
      "DerivedData/Beta-def/Build/Products/Release-iphoneos/Beta.app/",
      "DerivedData/{Gamma-ghi/Build/Intermediates.noindex/x.o,ModuleCache.noindex/m}",
      "iOS DeviceSupport/{16.0 (20A362),17.2}/Symbols/x",
      "Archives/2026-11-30/Alpha 30-11-2026.xcarchive/Products/",
      "Archives/2026-12-01/Beta.xcarchive/"},
     {"Derived Data @ - + DerivedData/Alpha-abc/Build/ + DerivedData/Beta-def/Build/ "
      "{stock:folder}",
      "iOS Device Support @ - + iOS DeviceSupport/16.0 (20A362)/ + iOS DeviceSupport/17.2/ "
      "{symbol:iphone}",
      "Archives @ - + Archives/2026-11-30/Alpha 30-11-2026.xcarchive/ + "
      "Archives/2026-12-01/Beta.xcarchive/ {symbol:archivebox}"},
     "Library/Developer/Xcode/"},
    // Containers no installed application owns; system ones never count.
    {"REMNANTS",
     {"{org.sample.Notes,org.sample.Helper,org.sample.Editor,com.apple.mail}/Data/",
      "{com.applesauce.App,org.sample.Local}/Data/"},
     {"{com.applesauce.App,desktop.WhatsApp,org.sample.Local,org.sample.Notes}/"},
     "Library/Containers/"},
};

} // namespace

TEST(FreedesktopFindersTest, EveryCategoryInOrderOnOneHomeWithoutOverlap) {
    FreedesktopHome fixture;
    Lines all;
    searchEveryRow(all, fixture, predefinedCategories(), freedesktopRows, [&] {
        ASSERT_EQ(mkfifo(fixture.home.pathOf("root/var/crash/pipe.crash").c_str(), 0600), 0);
        unsetenv("GOMODCACHE");
        unsetenv("GOPATH");
        if (test::runningAsRoot()) {
            fixture.build({"root/var/crash/theirs.crash"});
            ASSERT_EQ(lchown(fixture.home.pathOf("root/var/crash/theirs.crash").c_str(),
                             test::unprivilegedUid(), test::unprivilegedGid()),
                      0);
        }
    });
    // No location twice, none inside another: sorted, a location inside another follows it.
    std::sort(all.begin(), all.end());
    for (std::size_t i = 1; i < all.size(); ++i) {
        EXPECT_FALSE(all[i] == all[i - 1] || all[i].starts_with(all[i - 1] + "/"))
            << all[i - 1] << " and " << all[i];
    }
}

TEST(FreedesktopFindersTest, ObsoleteFiles) {
    // The file's bytes, or where it links to, and the folders offered.
    const std::vector<std::pair<std::string, Lines>> cases{
        // The file's order, not the keys', and escaped keys.
        {R"({"b-2.0": true, "\u0061-1.0": true, "c-3.0": true, "\u00fc-1.0": true})",
         {"{b-2.0,a-1.0,c-3.0,\xc3\xbc-1.0}/"}},
        // Only true counts, and only for folders that are there.
        {R"({"a-1.0": false, "b-2.0": "true", "c-3.0": 1, "d-4.0": {"x": true}, "gone-1.0": true,
           "file-1.0": true, "e-5.0" : true })",
         {"e-5.0/"}},
        // Keys that are not one component of a path.
        {R"({"": true, ".": true, "..": true, "a-1.0/x": true, "../b-2.0": true, "a\u0000": true,
           "\ud800": true, "b-2.0": true})",
         {"b-2.0/"}},
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
        fixture.build(expanded({extensions + "{a-1.0/x,b-2.0/x,c-3.0/x,d-4.0/,e-5.0/,\xc3\xbc-1.0/,"
                                             "file-1.0,linked-1.0 -> a-1.0}",
                                "elsewhere/.obsolete = {\"a-1.0\": true}"}));
        fixture.build(
            {extensions + ".obsolete" + (obsolete.starts_with("->") ? " " : " = ") + obsolete});
        EXPECT_EQ(fixture.searched("OLD_VERSIONS"), expectedLines({"", {}, expected, extensions}));
    }
}

TEST(FreedesktopFindersTest, NothingIsReachedThroughALink) {
    // The key, an item's location, the components that make up its base folder (0: the home),
    // and whether the item is an entry of a listing, where a link is an item.
    const std::vector<std::tuple<std::string, std::string, std::size_t, bool>> cases{
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
        // Every level: the base folder itself (followed), each folder below it and the item.
        std::filesystem::path level;
        std::size_t depth = 0;
        for (const auto& component : std::filesystem::path(item)) {
            level /= component;
            if (++depth < anchorDepth) {
                continue;
            }
            const std::string linked = level.string();
            SCOPED_TRACE(key + " linked at " + linked);
            FreedesktopHome fixture;
            fixture.build(
                {key == "CRASH_REPORTS" ? item : item + "/x", ".local/share/JetBrains/Go2024.1/x"});
            if (linked.ends_with("Trash/files")) { // records are no orphans while it is a link
                fixture.build({".local/share/Trash/info/gone.trashinfo"});
            }
            std::filesystem::rename(fixture.home.pathOf(linked), fixture.home.pathOf("moved"));
            fixture.home.link(linked, fixture.home.pathOf("moved"));
            fixture.rechoose();
            const Lines found = fixture.searched(key);
            if (depth == anchorDepth) {
                EXPECT_EQ(found.size(), 1U) << "a base folder that is a link is followed";
            } else if (linked == item && listed) {
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
    fixture.build({"xdg/cache/fontconfig/x", "xdg/data/Trash/files/t", ".cache/ignored/x"});
    setenv("XDG_DATA_HOME", fixture.home.pathOf("xdg/data").c_str(), 1);
    // Relative values are ignored; a cache folder that holds the home would offer everything.
    for (const auto& [value, expected] : std::vector<std::pair<std::string, Lines>>{
             {fixture.home.pathOf("xdg/cache"), {"fontconfig @ xdg/cache/fontconfig/"}},
             {"xdg/cache", {"ignored @ .cache/ignored/"}},
             {fixture.home.path(), {}},
             {"/tmp", {}},
             {fixture.home.pathOf("xdg"), {}}}) {
        SCOPED_TRACE(value);
        setenv("XDG_CACHE_HOME", value.c_str(), 1);
        fixture.rechoose();
        EXPECT_EQ(fixture.searched("XDG_CACHE"), expected);
    }
    EXPECT_EQ(fixture.searched("FREEDESKTOP_TRASH"), (Lines{"t @ xdg/data/Trash/files/t"}));

    // Go's variables choose its module cache; one that holds the user's folders, lies in the
    // cache folder or lacks go's download folder is not offered.
    unsetenv("XDG_CACHE_HOME");
    fixture.rechoose();
    fixture.build(expanded({"{gp/pkg/mod,mods,.cache/gomod,.}/cache/download/x", "bare/x"}));
    for (const auto& [modules, paths, expected] : std::vector<std::array<std::string, 3>>{
             {fixture.home.pathOf("mods"), "", "mods/"},
             {"", fixture.home.pathOf("gp") + ":/x", "gp/pkg/mod/"},
             {"", ":" + fixture.home.pathOf("gp"), ""},
             {"mods", "", ""},
             {fixture.home.pathOf("bare"), "", ""},
             {fixture.home.pathOf(".cache/gomod"), "", ""},
             {fixture.home.path(), "", ""}}) {
        SCOPED_TRACE(modules + " " + paths);
        setenv("GOMODCACHE", modules.c_str(), 1);
        setenv("GOPATH", paths.c_str(), 1);
        EXPECT_EQ(fixture.searched("DEVELOPER_CACHES"),
                  expected.empty()
                      ? Lines{}
                      : Lines{"Go Module Cache @ - + " + expected + " {stock:folder}"});
    }
    unsetenv("GOMODCACHE");
    unsetenv("GOPATH");
}

TEST(MacosFindersTest, EveryCategoryInOrderOnOneHome) {
    // The freedesktop fixture's home and system root, searched by the macOS finders.
    FreedesktopHome fixture;
    Layout::choose(LayoutKind::macos);
    EngineStrings::setLocale(QLocale(QLocale::English));
    CategoryList categories = predefinedCategories();
    categories.push_back(std::make_shared<RemnantsFinder>()); // in no predefined list
    Lines locations;
    searchEveryRow(locations, fixture, categories, macosRows, [&] {
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
    });
}
