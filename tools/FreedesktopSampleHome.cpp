#include "FreedesktopSampleHome.h"

#include "SampleRandom.h"
#include "TreeWriter.h"

#include <string>
#include <utility>
#include <vector>

namespace sorvane::tools {

namespace {

const std::string cache = ".cache/";
const std::string config = ".config/";
const std::string data = ".local/share/";
const std::string steamRoot = data + "Steam/";
const std::string telegramRoot = data + "TelegramDesktop/";

class FreedesktopTree {
public:
    FreedesktopTree(TreeWriter& home, TreeWriter& root, SampleRandom& random, std::string homePath)
        : home_(home)
        , root_(root)
        , random_(random)
        , homePath_(std::move(homePath)) {}

    void skeleton() {
        personalFiles();
        applicationCaches();
        thumbnails();
        trash();
        mozilla();
        chromiumFamily();
        electronPrograms();
        chromiumPrograms();
        sandboxCaches();
        spotify();
        steam();
        telegram();
        developerTools();
        oldVersions();
        crashReports();
        wine();
        logs();
    }

    // Where the bulk of the files goes, with weights that keep the shape at every scale.
    void bulk(std::uint64_t count) {
        const std::vector<std::pair<std::string, unsigned>> sinks{
            {cache + "mesa_shader_cache", 8},
            {cache + "google-chrome/Default/Cache/Cache_Data", 12},
            {cache + "mozilla/firefox/" + firefoxProfile_ + "/cache2/entries", 10},
            {cache + "thumbnails/normal", 6},
            {config + "Code/CachedData/" + codeHash_, 6},
            {".var/app/com.slack.Slack/config/Slack/Cache/Cache_Data", 6},
            {"snap/spotify/common/.cache/spotify/Data", 6},
            {".npm/_cacache/content-v2/sha512", 10},
            {".cargo/registry/src/index.crates.io-6f17d22bba15001f", 12},
            {".gradle/caches/modules-2/files-2.1", 6},
            {steamRoot + "steamapps/shadercache/1091500/fozpipelinesv6", 4},
            {telegramRoot + "tdata/user_data/media_cache", 4},
            {"go/pkg/mod/cache/download/golang.org/x", 4},
            {".m2/repository/org/apache", 4},
            {cache + "JetBrains/IntelliJIdea2023.2/caches", 4},
            {data + "Trash/files/Old Project", 4},
            {"Documents/Projects", 4},
            {"Pictures/Camera", 6},
        };
        unsigned total = 0;
        for (const auto& sink : sinks) {
            total += sink.second;
        }
        std::uint64_t given = 0;
        for (std::size_t i = 0; i < sinks.size(); ++i) {
            const std::uint64_t share =
                i + 1 == sinks.size() ? count - given : count * sinks[i].second / total;
            home_.fill(sinks[i].first, share);
            given += share;
        }
    }

private:
    void files(const std::string& folder, std::initializer_list<const char*> names) {
        for (const char* name : names) {
            home_.file(folder + name, random_.fileSize());
        }
    }

    void personalFiles() {
        home_.file(".bashrc", std::uint64_t{3771});
        home_.file(".profile", std::uint64_t{807});
        home_.file(".bash_history", std::uint64_t{12000});
        home_.file(config + "dconf/user", std::uint64_t{24000});
        home_.file(config + "user-dirs.dirs", std::uint64_t{633});
        home_.file(data + "recently-used.xbel", std::uint64_t{5400});
        home_.file("Documents/Letters/landlord.odt", std::uint64_t{18000});
        home_.file("Pictures/wallpaper.jpg", std::uint64_t{2400000});
        home_.file(".mozilla/firefox/profiles.ini", std::uint64_t{259});
    }

    void applicationCaches() {
        for (int i = 0; i < 6; ++i) {
            home_.file(cache + "fontconfig/" + random_.hex(32) + "-le64.cache-9",
                       random_.between(200, 60000));
        }
        for (int i = 0; i < 12; ++i) {
            home_.file(cache + "mesa_shader_cache/index" + (i == 0 ? "" : std::to_string(i)),
                       random_.fileSize());
        }
        home_.file(cache + "gstreamer-1.0/registry.x86_64.bin", std::uint64_t{1800000});
        home_.file(cache + "tracker3/files/meta.db", std::uint64_t{4200000});
        home_.file(cache + "gnome-software/appstream/components.xmlb", std::uint64_t{9000000});
        // State and personal files that lie in the cache folder all the same.
        home_.file(cache + "ibus/bus/registry", std::uint64_t{52000});
        home_.file(cache + "ibus/libpinyin/user.db", std::uint64_t{310000});
        home_.file(cache + "wallpaper/0ea3b6f1.jpg", std::uint64_t{2400000});
        home_.file(cache + "gnome-control-center/backgrounds/5c1e.jpg", std::uint64_t{1900000});
        home_.file(cache + "keepassxc/keepassxc.ini", std::uint64_t{700});
        home_.file(cache + "obexd/IMG_20261101_101500.jpg", std::uint64_t{3100000});
        home_.file(cache + "event-sound-cache.tdb." + random_.hex(32) + ".x86_64-pc-linux-gnu",
                   std::uint64_t{20480});
        home_.file(cache + "motd.legal-displayed", std::uint64_t{0});
        home_.file(cache + ".hidden-state", std::uint64_t{64});
        // A link in the cache folder is an item of its own, measured and removed as the link.
        home_.link(cache + "lock-screen.jpg", "../Pictures/wallpaper.jpg");
    }

    void thumbnails() {
        for (const char* size : {"normal", "large", "x-large"}) {
            for (int i = 0; i < 4; ++i) {
                home_.file(cache + "thumbnails/" + size + "/" + random_.hex(32) + ".png",
                           random_.between(4000, 90000));
            }
        }
        home_.file(cache + "thumbnails/fail/gnome-thumbnail-factory/" + random_.hex(32) + ".png",
                   std::uint64_t{300});
    }

    void trashRecord(const std::string& name, const std::string& original) {
        home_.file(data + "Trash/info/" + name + ".trashinfo",
                   "[Trash Info]\nPath=" + homePath_ + "/" + original + "\nDeletionDate=2026-11-2" +
                       std::to_string(random_.below(10)) + "T10:22:31\n");
    }

    void trash() {
        const std::string files = data + "Trash/files/";
        home_.file(files + "Screenshot from 2026-11-20 10-22-31.png", std::uint64_t{1800000});
        trashRecord("Screenshot from 2026-11-20 10-22-31.png",
                    "Pictures/Screenshots/Screenshot from 2026-11-20 10-22-31.png");
        home_.file(files + "Old Project/notes.txt", std::uint64_t{3000});
        trashRecord("Old Project", "Documents/Old Project");
        home_.file(files + ".env.backup", std::uint64_t{420});
        home_.file(data + "Trash/expunged/3281841729/holiday.mov", std::uint64_t{52000000});
        trashRecord(".env.backup", "Documents/Projects/.env.backup");
        home_.link(files + "shortcut", "/nonexistent/target");
        trashRecord("shortcut", "Desktop/shortcut");
        // Records whose files were removed by hand.
        trashRecord("Untitled Document 1", "Documents/Untitled Document 1");
        trashRecord("draft.odt", "Documents/draft.odt");
    }

    void mozilla() {
        firefoxProfile_ = random_.hex(8) + ".default-release";
        const std::string native = cache + "mozilla/firefox/" + firefoxProfile_ + "/";
        home_.file(native + "startupCache/startupCache.8.little", std::uint64_t{3400000});
        home_.file(native + "startupCache/scriptCache-child.bin", std::uint64_t{420000});
        home_.file(native + "thumbnails/" + random_.hex(32) + ".png", std::uint64_t{14000});
        home_.file(native + "safebrowsing/google4/goog-phish-proto.vlpset", std::uint64_t{90000});
        home_.file(".mozilla/firefox/" + firefoxProfile_ + "/places.sqlite",
                   std::uint64_t{5242880});
        const std::string snap =
            "snap/firefox/common/.cache/mozilla/firefox/" + random_.hex(8) + ".default/";
        for (int i = 0; i < 5; ++i) {
            home_.file(snap + "cache2/entries/" + random_.hex(40), random_.fileSize());
        }
        home_.file(snap + "cache2/index", std::uint64_t{8192});
        const std::string flatpak = ".var/app/org.mozilla.firefox/cache/mozilla/firefox/" +
                                    random_.hex(8) + ".default-release/";
        home_.file(flatpak + "cache2/entries/" + random_.hex(40), std::uint64_t{60000});
        home_.file(".var/app/org.mozilla.firefox/.mozilla/firefox/profiles.ini",
                   std::uint64_t{200});
        home_.file(".mozilla/firefox/Crash Reports/pending/" + random_.hex(8) + ".dmp",
                   std::uint64_t{2600000});
        home_.file(".mozilla/firefox/" + firefoxProfile_ + "/minidumps/" + random_.hex(8) + ".dmp",
                   std::uint64_t{1100000});

        const std::string thunderbird = cache + "thunderbird/" + random_.hex(8) + ".default/";
        for (int i = 0; i < 4; ++i) {
            home_.file(thunderbird + "cache2/entries/" + random_.hex(40), random_.fileSize());
        }
        home_.file(thunderbird + "startupCache/startupCache.8.little", std::uint64_t{900000});
        home_.file(".var/app/org.mozilla.Thunderbird/cache/thunderbird/" + random_.hex(8) +
                       ".default-release/cache2/entries/" + random_.hex(40),
                   std::uint64_t{30000});
    }

    void chromiumCache(const std::string& root) {
        files(root + "Default/Cache/Cache_Data/",
              {"index", "data_0", "data_1", "data_2", "data_3"});
        home_.file(root + "Default/Code Cache/js/" + random_.hex(16) + "_0", random_.fileSize());
        home_.file(root + "Default/Code Cache/wasm/index", std::uint64_t{24});
    }

    void chromiumConfiguration(const std::string& root) {
        home_.file(root + "ShaderCache/data_0", std::uint64_t{45000});
        home_.file(root + "GrShaderCache/data_1", std::uint64_t{270000});
        home_.file(root + "Default/GPUCache/data_0", std::uint64_t{8192});
        home_.file(root + "Default/Service Worker/CacheStorage/" + random_.hex(40) + "/index",
                   std::uint64_t{120000});
        home_.file(root + "Default/Service Worker/ScriptCache/" + random_.hex(16) + "_0",
                   random_.fileSize());
        home_.file(root + "Default/Preferences", std::uint64_t{40000});
        home_.file(root + "Default/History", std::uint64_t{1572864});
        home_.file(root + "Local State", std::uint64_t{9000});
    }

    void chromiumFamily() {
        chromiumCache(cache + "google-chrome/");
        files(cache + "google-chrome/Profile 1/Cache/Cache_Data/", {"index", "data_0"});
        chromiumConfiguration(config + "google-chrome/");
        home_.file(config + "google-chrome/Profile 1/GPUCache/index", std::uint64_t{4096});
        chromiumCache("snap/chromium/common/.cache/chromium/");
        chromiumConfiguration("snap/chromium/common/chromium/");
        chromiumCache(cache + "BraveSoftware/Brave-Browser/");
        chromiumConfiguration(config + "BraveSoftware/Brave-Browser/");
        chromiumCache(".var/app/com.microsoft.Edge/cache/microsoft-edge/");
        chromiumConfiguration(".var/app/com.microsoft.Edge/config/microsoft-edge/");
        chromiumCache(cache + "vivaldi/");
        home_.file(config + "vivaldi/GraphiteDawnCache/data_0", std::uint64_t{65536});
    }

    void electronPrograms() {
        codeHash_ = random_.hex(40);
        const std::string code = config + "Code/";
        files(code + "Cache/Cache_Data/", {"index", "data_0", "data_1"});
        home_.file(code + "CachedData/" + codeHash_ + "/chrome/js/index", std::uint64_t{24});
        home_.file(code + "CachedExtensionVSIXs/ms-python.python-2024.2.1", std::uint64_t{9400000});
        home_.file(code + "Code Cache/js/index", std::uint64_t{24});
        home_.file(code + "GPUCache/data_0", std::uint64_t{8192});
        home_.file(code + "User/settings.json", std::uint64_t{900});
        home_.file(code + "User/globalStorage/state.vscdb", std::uint64_t{300000});
        const std::string slack = ".var/app/com.slack.Slack/config/Slack/";
        files(slack + "Cache/Cache_Data/", {"index", "data_0"});
        home_.file(slack + "Service Worker/CacheStorage/" + random_.hex(40) + "/index",
                   std::uint64_t{70000});
        home_.file(slack + "storage/root-state.json", std::uint64_t{12000});
        const std::string discord = config + "discord/";
        files(discord + "Cache/Cache_Data/", {"index", "data_0", "data_1"});
        home_.file(discord + "Code Cache/js/index", std::uint64_t{24});
        home_.file(discord + "GPUCache/data_0", std::uint64_t{8192});
        home_.file(discord + "settings.json", std::uint64_t{300});
        const std::string signal = config + "Signal/";
        home_.file(signal + "Cache/Cache_Data/index", std::uint64_t{24});
        home_.file(signal + "DawnCache/data_0", std::uint64_t{4096});
        home_.file(signal + "sql/db.sqlite", std::uint64_t{8388608});
    }

    // A Chromium disk cache as Chromium writes it: an index with the simple cache's magic, the
    // real index beside it and one file per entry.
    void chromiumDiskCache(const std::string& folder) {
        home_.file(folder + "index", std::string("oy retne\x07\0\0\0\0\0\0\0", 16));
        home_.file(folder + "index-dir/the-real-index", random_.between(200, 9000));
        for (int i = 0; i < 3; ++i) {
            home_.file(folder + random_.hex(16) + "_0", random_.fileSize());
        }
    }

    // Programs on Chromium found by their caches, natively, nested below a vendor's folder, as a
    // Flatpak and as a Snap; beside them what they keep of the user's, and a program's own
    // Cache folder that is not Chromium's.
    void chromiumPrograms() {
        const std::string element = config + "Element/";
        chromiumDiskCache(element + "Cache/Cache_Data/");
        chromiumDiskCache(element + "Code Cache/js/");
        home_.file(element + "GPUCache/data_0", std::uint64_t{8192});
        home_.file(element + "DawnGraphiteCache/data_0", std::uint64_t{16384});
        home_.file(element + "Local Storage/leveldb/000003.log", std::uint64_t{90000});
        home_.file(element + "IndexedDB/vector_vector_0.indexeddb.leveldb/000005.ldb",
                   std::uint64_t{2400000});
        home_.file(element + "Cookies", std::uint64_t{28672});
        home_.file(element + "Preferences", std::uint64_t{1200});
        home_.file(element + "Local State", std::uint64_t{900});
        const std::string obsidian = ".var/app/md.obsidian.Obsidian/config/obsidian/";
        chromiumDiskCache(obsidian + "Cache/Cache_Data/");
        home_.file(obsidian + "GPUCache/data_0", std::uint64_t{8192});
        home_.file(obsidian + "obsidian.json", std::uint64_t{300});
        const std::string teams = config + "Microsoft/Microsoft Teams/";
        chromiumDiskCache(teams + "Cache/");
        home_.file(teams + "Service Worker/ScriptCache/" + random_.hex(16) + "_0",
                   random_.fileSize());
        home_.file(teams + "Service Worker/Database/000001.log", std::uint64_t{4000});
        home_.file(teams + "Cookies", std::uint64_t{20480});
        home_.file(config + "gimp/Cache/thumbnail-index", std::uint64_t{4000});
        home_.file(config + "gimp/sessionrc", std::uint64_t{2000});
    }

    // Flatpak and Snap caches, named by the desktop entries in the system root.
    void sandboxCaches() {
        const auto entry = [this](const std::string& path, const std::string& name) {
            root_.file(path, "[Desktop Entry]\nType=Application\nName=" + name + "\n");
        };
        const std::string flatpaks = "var/lib/flatpak/exports/share/applications/";
        home_.file(".var/app/org.gnome.Boxes/cache/gnome-boxes/logos/" + random_.hex(8) + ".svg",
                   std::uint64_t{30000});
        home_.file(".var/app/org.gnome.Boxes/data/gnome-boxes/images/fedora.qcow2",
                   std::uint64_t{2000000});
        entry(flatpaks + "org.gnome.Boxes.desktop", "Boxes");
        home_.file(".var/app/org.videolan.VLC/cache/vlc/art/artistalbum/cover.jpg",
                   std::uint64_t{120000});
        home_.file(".var/app/org.videolan.VLC/config/vlc/vlcrc", std::uint64_t{180000});
        entry(flatpaks + "org.videolan.VLC.desktop", "VLC");
        home_.file(".var/app/org.keepassxc.KeePassXC/cache/keepassxc/keepassxc.ini",
                   std::uint64_t{700});
        const std::string snap = "snap/inkscape/";
        home_.link(snap + "current", "10962");
        home_.file(snap + "10962/.cache/inkscape/extensions-cache.json", std::uint64_t{90000});
        home_.file(snap + "10871/.cache/inkscape/extensions-cache.json", std::uint64_t{88000});
        home_.file(snap + "common/.cache/fontconfig/" + random_.hex(32) + "-le64.cache-9",
                   std::uint64_t{40000});
        home_.file(snap + "10962/.config/inkscape/preferences.xml", std::uint64_t{30000});
        entry("var/lib/snapd/desktop/applications/inkscape_inkscape.desktop", "Inkscape");
    }

    void spotify() {
        const std::string snap = "snap/spotify/common/.cache/spotify/";
        home_.file(snap + "Data/" + random_.hex(2) + "/" + random_.hex(32) + ".file",
                   std::uint64_t{3200000});
        home_.file(snap + "Storage/index.dat", std::uint64_t{4096});
        home_.file(snap + "Browser/Cache/Cache_Data/data_0", std::uint64_t{81920});
        home_.file(snap + "Users/user-" + random_.hex(8) + "/prefs", std::uint64_t{1200});
        home_.file(cache + "spotify/Data/" + random_.hex(2) + "/" + random_.hex(32) + ".file",
                   std::uint64_t{1600000});
    }

    void steam() {
        home_.file(steamRoot +
                       "steamapps/shadercache/570/fozpipelinesv6/steamapprun_pipeline_cache.foz",
                   std::uint64_t{48000000});
        home_.file(steamRoot + "config/htmlcache/Cache/Cache_Data/data_1", std::uint64_t{2100000});
        home_.file(steamRoot + "appcache/httpcache/3a/" + random_.hex(16), std::uint64_t{160000});
        home_.file(steamRoot + "logs/content_log.txt", std::uint64_t{420000});
        // The games, the saves, the client's settings and a Proton prefix are the player's.
        home_.file(steamRoot + "steamapps/common/Dota 2 beta/game/dota/pak01_000.vpk",
                   std::uint64_t{120000000});
        home_.file(steamRoot + "steamapps/appmanifest_570.acf", std::uint64_t{1800});
        home_.file(steamRoot + "steamapps/compatdata/1091500/pfx/user.reg", std::uint64_t{400000});
        home_.file(steamRoot + "userdata/41234567/570/remote/cfg/config.cfg", std::uint64_t{9000});
        home_.file(steamRoot + "config/config.vdf", std::uint64_t{6000});
        home_.link(".steam/steam", "../.local/share/Steam");
    }

    void telegram() {
        home_.file(telegramRoot + "tdata/user_data/cache/0/" + random_.hex(16),
                   std::uint64_t{900000});
        home_.file(telegramRoot + "tdata/user_data#2/media_cache/1/" + random_.hex(16),
                   std::uint64_t{2600000});
        home_.file(telegramRoot + "tdata/key_datas", std::uint64_t{400});
        home_.file(telegramRoot + "tdata/" + random_.hex(16) + "s", std::uint64_t{800});
        home_.file(telegramRoot + "log.txt", std::uint64_t{60000});
        home_.file("Downloads/Telegram Desktop/contract.pdf", std::uint64_t{240000});
        home_.link("snap/telegram-desktop/current", "5731");
        home_.file(
            "snap/telegram-desktop/5731/.local/share/TelegramDesktop/tdata/user_data/cache/0/" +
                random_.hex(16),
            std::uint64_t{700000});
    }

    void wine() {
        home_.file(".wine/drive_c/windows/temp/_iu14D2N.tmp", std::uint64_t{350000});
        home_.file(".wine/drive_c/users/" + random_.hex(4) + "/AppData/Local/Temp/setup.log",
                   std::uint64_t{12000});
        home_.file(".wine/drive_c/users/Public/Documents/readme.txt", std::uint64_t{900});
        home_.file(".wine/system.reg", std::uint64_t{2400000});
        home_.file(data + "wineprefixes/office/drive_c/windows/temp/~DF12.tmp",
                   std::uint64_t{80000});
        home_.file(data + "wineprefixes/office/drive_c/Program Files/Office/word.exe",
                   std::uint64_t{3000000});
    }

    void logs() {
        home_.file(".xsession-errors", std::uint64_t{48000});
        home_.file(".xsession-errors.old", std::uint64_t{210000});
        home_.file(data + "xorg/Xorg.0.log", std::uint64_t{36000});
        home_.file(".gradle/daemon/8.5/daemon-41234.out.log", std::uint64_t{900000});
        home_.file(".gradle/daemon/8.5/registry.bin", std::uint64_t{300});
        home_.file(config + "Code/logs/20261120T102231/main.log", std::uint64_t{7000});
    }

    void developerTools() {
        home_.file(cache + "pip/http-v2/" + random_.hex(1) + "/" + random_.hex(1) + "/" +
                       random_.hex(56) + ".body",
                   std::uint64_t{820000});
        home_.file(cache + "pip/selfcheck/" + random_.hex(56) + ".json", std::uint64_t{200});
        home_.file(".npm/_cacache/index-v5/" + random_.hex(2) + "/" + random_.hex(62),
                   std::uint64_t{400});
        home_.file(".npm/_logs/2026-11-20T10_22_31_000Z-debug-0.log", std::uint64_t{3000});
        home_.file(cache + "yarn/v6/npm-left-pad-1.3.0-" + random_.hex(40) +
                       "-integrity/node_modules/left-pad/index.js",
                   std::uint64_t{700});
        home_.file(cache + "go-build/" + random_.hex(2) + "/" + random_.hex(64) + "-a",
                   std::uint64_t{52000});
        home_.file(cache + "go-build/trim.txt", std::uint64_t{10});
        home_.file(".cargo/registry/cache/index.crates.io-6f17d22bba15001f/serde-1.0.193.crate",
                   std::uint64_t{76000});
        home_.file(".cargo/registry/src/index.crates.io-6f17d22bba15001f/serde-1.0.193/Cargo.toml",
                   std::uint64_t{2200});
        home_.file(".cargo/git/checkouts/ring-" + random_.hex(16) + "/" + random_.hex(7) +
                       "/Cargo.toml",
                   std::uint64_t{1800});
        home_.file(".cargo/config.toml", std::uint64_t{120});
        home_.file(".gradle/caches/modules-2/files-2.1/org.jetbrains.kotlin/kotlin-stdlib/1.9.20/" +
                       random_.hex(40) + "/kotlin-stdlib-1.9.20.jar",
                   std::uint64_t{1700000});
        home_.file(".gradle/gradle.properties", std::uint64_t{80});
        for (const char* dist : {"gradle-8.4-bin", "gradle-8.5-bin"}) {
            home_.file(std::string(".gradle/wrapper/dists/") + dist + "/" + random_.hex(25) + "/" +
                           dist + ".zip",
                       std::uint64_t{130000000});
        }
        home_.file(".cargo/registry/index/index.crates.io-6f17d22bba15001f/.cache/se/rd/serde",
                   std::uint64_t{40000});
        home_.file(".cargo/git/db/ring-" + random_.hex(16) + "/objects/pack/pack.pack",
                   std::uint64_t{5200000});
        home_.file(".npm/_npx/" + random_.hex(16) + "/node_modules/.package-lock.json",
                   std::uint64_t{9000});
        home_.file("go/pkg/mod/cache/download/golang.org/x/text/@v/v0.14.0.zip",
                   std::uint64_t{9100000});
        home_.file("go/pkg/mod/golang.org/x/text@v0.14.0/go.mod", std::uint64_t{90});
        home_.file("go/src/example.com/hello/main.go", std::uint64_t{300});
        home_.file(
            ".m2/repository/org/apache/commons/commons-lang3/3.14.0/commons-lang3-3.14.0.jar",
            std::uint64_t{650000});
        home_.file(".m2/settings.xml", std::uint64_t{1200});
    }

    void oldVersions() {
        const std::string extensions = ".vscode/extensions/";
        for (const char* extension : {"ms-python.python-2023.20.0", "ms-python.python-2024.2.1",
                                      "golang.go-0.40.0", "golang.go-0.41.1"}) {
            home_.file(extensions + extension + "/package.json", std::uint64_t{24000});
            home_.file(extensions + extension + "/dist/extension.js", random_.fileSize());
        }
        home_.file(extensions + ".obsolete",
                   R"({"ms-python.python-2023.20.0":true,"golang.go-0.40.0":true})");
        home_.file(extensions + "extensions.json", std::uint64_t{3000});
        for (const char* version :
             {"IntelliJIdea2023.2", "IntelliJIdea2023.3", "PyCharmCE2023.3"}) {
            home_.file(cache + "JetBrains/" + version + "/caches/names.dat", random_.fileSize());
            home_.file(cache + "JetBrains/" + version + "/log/idea.log", std::uint64_t{90000});
        }
        // The user's record of their edits, in the version in use.
        home_.file(cache + "JetBrains/IntelliJIdea2023.3/LocalHistory/changes.storageData",
                   std::uint64_t{3400000});
        for (const char* version : {"IntelliJIdea2023.2", "IntelliJIdea2023.3"}) {
            home_.file(data + "JetBrains/" + version + "/plugins/lombok/lib/lombok.jar",
                       std::uint64_t{1900000});
            home_.file(config + "JetBrains/" + version + "/options/ide.general.xml",
                       std::uint64_t{500});
        }
    }

    void crashReports() {
        for (const char* report :
             {"_usr_bin_gnome-shell.1000.crash", "_opt_editor_editor.1000.crash",
              "_usr_lib_firefox_firefox.1000.crash"}) {
            root_.file(std::string("var/crash/") + report, random_.between(80000, 900000));
        }
        root_.file("var/crash/_usr_bin_gnome-shell.1000.upload", std::uint64_t{0});
    }

    TreeWriter& home_;
    TreeWriter& root_;
    SampleRandom& random_;
    std::string homePath_;
    std::string firefoxProfile_;
    std::string codeHash_;
};

} // namespace

FreedesktopSampleHome::FreedesktopSampleHome(SampleHomeOptions options)
    : options_(std::move(options)) {}

std::uint64_t FreedesktopSampleHome::build() {
    SampleRandom random(options_.seed);
    TreeWriter home(options_.home, random);
    TreeWriter root(options_.root, random);
    FreedesktopTree tree(home, root, random, options_.home);
    tree.skeleton();
    const std::uint64_t made = home.filesMade() + root.filesMade();
    if (options_.files > made) {
        tree.bulk(options_.files - made);
    }
    return home.filesMade() + root.filesMade();
}

} // namespace sorvane::tools
