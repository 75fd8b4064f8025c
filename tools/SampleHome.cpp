#include "SampleHome.h"

#include "BundleWriter.h"
#include "SampleRandom.h"
#include "TreeWriter.h"

#include <QSettings>
#include <QString>

#include <array>
#include <vector>

namespace sorvane::tools {

namespace {

struct InstalledApp {
    const char* name;
    const char* identifier;
    const char* version;
    PlistFormat format;
};

constexpr std::array installedApps{
    InstalledApp{"Editor", "org.sample.Editor", "3.1", PlistFormat::xml},
    InstalledApp{"Viewer", "org.sample.Viewer", "2.4.1", PlistFormat::binary},
    InstalledApp{"Notes Pro", "com.example.notespro", "5.0", PlistFormat::binary},
    InstalledApp{"Pixel Paint", "io.pixelpaint.app", "1.9", PlistFormat::xml},
    InstalledApp{"Slack", "com.tinyspeck.slackmacgap", "4.36.140", PlistFormat::binary},
    InstalledApp{"Google Chrome", "com.google.Chrome", "120.0.6099.109", PlistFormat::xml},
    InstalledApp{"Firefox", "org.mozilla.firefox", "121.0", PlistFormat::binary},
    InstalledApp{"Spotify", "com.spotify.client", "1.2.26", PlistFormat::xml},
    InstalledApp{"WhatsApp", "desktop.WhatsApp", "2.23.24", PlistFormat::binary},
    InstalledApp{"Xcode", "com.apple.dt.Xcode", "15.1", PlistFormat::xml},
};

constexpr std::array cacheOwners{
    "com.tinyspeck.slackmacgap",
    "org.sample.Editor",
    "io.pixelpaint.app",
    "com.microsoft.VSCode",
    "com.jetbrains.intellij",
    "org.videolan.vlc",
    "com.docker.docker",
    "com.figma.Desktop",
    "us.zoom.xos",
    "com.hnc.Discord",
    "com.apple.Safari.SafeBrowsing",
    "org.python.python",
    "com.postmanlabs.mac",
    "com.obsproject.obs-studio",
};

const char* const cacheNames[] = {"Cache.db", "Cache.db-wal", "Cache.db-shm", "index",
                                  "data_0",   "data_1",       "data_2",       "blob"};

std::string libraryPath(const std::string& relative) {
    return "Library/" + relative;
}

class Layout {
public:
    Layout(TreeWriter& home, TreeWriter& root, SampleRandom& random)
        : home_(home)
        , root_(root)
        , random_(random) {}

    void skeleton() {
        applications();
        userCaches();
        applicationCaches();
        browsers();
        system();
        leftovers();
        hiddenAndLinks();
    }

    // Where the bulk of the files goes, with weights that keep the shape at every scale.
    void bulk(std::uint64_t count) {
        const std::vector<std::pair<std::string, unsigned>> sinks{
            {libraryPath("Caches/com.tinyspeck.slackmacgap/Cache.noindex"), 14},
            {libraryPath("Caches/com.microsoft.VSCode/CachedData"), 10},
            {libraryPath("Caches/com.docker.docker/blobs"), 8},
            {libraryPath("Caches/org.sample.Editor/thumbnails"), 6},
            {libraryPath("Developer/Xcode/DerivedData/Atlas-" + derivedHash_ +
                         "/Build/Intermediates.noindex"),
             14},
            {libraryPath("Caches/Google/Chrome/Default/Cache/Cache_Data"), 10},
            {libraryPath("Caches/Firefox/Profiles/k3x9q2a1.default-release/cache2/entries"), 8},
            {libraryPath("Caches/com.apple.safari/fsCachedData"), 5},
            {libraryPath(".Trash/Old Project"), 6},
            {libraryPath(
                 "Containers/desktop.WhatsApp/Data/Library/Application Support/WhatsApp/Cache"),
             5},
            {libraryPath("Caches/com.spotify.client/Data"), 5},
            {libraryPath("Caches/com.apple.Music/SubscriptionPlayCache"), 4},
            {libraryPath("Containers/com.apple.mail/Data/Library/Mail Downloads/Archive"), 3},
            {libraryPath("Saved Application State/org.sample.Editor.savedState/data"), 2},
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
    void applications() {
        BundleWriter bundles(root_);
        for (std::size_t i = 0; i < installedApps.size(); ++i) {
            const auto& app = installedApps[i];
            const std::string bundle = std::string("Applications/") + app.name + ".app";
            bundles.write(bundle, {app.name, app.identifier, app.version, app.format,
                                   static_cast<std::uint32_t>(random_.next() | 0xffU)});
            if (i < 3) {
                // Older versions kept inside the bundle, and a link to the current one.
                for (const char* old : {"1.0", "2.0", "2.9"}) {
                    root_.file(bundle + "/Contents/Versions/" + old + "/" + app.name,
                               random_.between(50000, 900000));
                }
                root_.file(bundle + "/Contents/Versions/" + app.version + "/" + app.name,
                           std::uint64_t{700000});
                root_.link(bundle + "/Contents/Versions/Current", app.version);
            }
        }
        // Embedded helpers whose containers are not remnants.
        bundles.write("Applications/Editor.app/Contents/Library/LoginItems/Editor Helper.app",
                      {"Editor Helper", "org.sample.Editor.helper", "3.1", PlistFormat::binary});
        bundles.write("Applications/Viewer.app/Contents/PlugIns/Viewer Share.appex",
                      {"Viewer Share", "org.sample.Viewer.share", "2.4.1", PlistFormat::xml});
        bundles.write("System/Applications/Mail.app", {"Mail", "com.apple.mail", "16.0"});
        bundles.write("System/Applications/Music.app", {"Music", "com.apple.Music", "1.4"});
        bundles.write("System/Applications/Safari.app", {"Safari", "com.apple.Safari", "17.2"});
        root_.folder("Volumes");
    }

    void userCaches() {
        for (const char* owner : cacheOwners) {
            const std::string folder = libraryPath("Caches/") + owner;
            for (const char* name : cacheNames) {
                if (random_.chance(60)) {
                    home_.file(folder + "/" + name, random_.fileSize());
                }
            }
            home_.file(folder + "/fsCachedData/" + random_.hex(8), random_.fileSize());
        }
        home_.file(libraryPath("Caches/com.systemtoolkit.agent/state"), std::uint64_t{4096});
    }

    void applicationCaches() {
        home_.file(
            libraryPath("Containers/com.apple.Maps/Data/Library/Caches/GeoServices/tiles.db"),
            std::uint64_t{3145728});
        home_.file(
            libraryPath("Containers/com.apple.Maps/Data/Library/Caches/com.apple.Maps/Cache.db"),
            std::uint64_t{65536});
        home_.file(
            libraryPath("Containers/com.apple.Maps/.com.apple.containermanagerd.metadata.plist"),
            std::uint64_t{512});
        home_.file(libraryPath("Caches/com.apple.Maps.Suggestions/suggestions.db"),
                   std::uint64_t{20480});
        home_.file(libraryPath("Caches/com.apple.Music/Cache.db"), std::uint64_t{98304});
        for (int i = 0; i < 6; ++i) {
            home_.file("Music/iTunes/Album Artwork/Cache/" + random_.hex(16) + ".itc",
                       random_.between(20000, 300000));
        }
        home_.file(libraryPath("Caches/com.apple.TV/Cache.db"), std::uint64_t{40960});
        home_.file(libraryPath("Caches/com.apple.TV/fsCachedData/") + random_.hex(8),
                   std::uint64_t{120000});
        home_.file(libraryPath("Caches/com.apple.safari/Cache.db"), std::uint64_t{262144});
        home_.file(libraryPath("Caches/com.apple.safari/Webpage Previews/") + random_.hex(32) +
                       ".jpeg",
                   std::uint64_t{35000});
        home_.file(libraryPath("Containers/com.apple.FaceTime/Data/Library/Caches/Cache.db"),
                   std::uint64_t{16384});
        home_.file(libraryPath("Containers/com.apple.MobileSMS/Data/Library/Caches/Cache.db"),
                   std::uint64_t{24576});
        home_.file(libraryPath("Caches/com.spotify.client/Browser/Cache/data_0"),
                   std::uint64_t{81920});
        home_.file(libraryPath("Caches/com.spotify.client/Storage/index.dat"), std::uint64_t{4096});
        home_.file(libraryPath("Caches/com.spotify.installer/update.zip"), std::uint64_t{9000000});
        home_.file(libraryPath("Caches/Thunderbird/Profiles/a1b2c3.default/cache2/entries/") +
                       random_.hex(40),
                   std::uint64_t{30000});
    }

    void browsers() {
        const std::string chrome = libraryPath("Caches/Google/Chrome/");
        for (const char* profile : {"Default", "Profile 1"}) {
            home_.file(chrome + profile + "/Cache/Cache_Data/index", std::uint64_t{24});
            home_.file(chrome + profile + "/Code Cache/js/" + random_.hex(16), random_.fileSize());
        }
        home_.file(chrome + "Default/Storage/ext/Cache/data_1", std::uint64_t{8192});
        home_.file(libraryPath("Caches/BraveBrowser/Default/Cache/Cache_Data/index"),
                   std::uint64_t{24});
        home_.file(libraryPath("Caches/BraveBrowser/Default/Cache/Cache_Data/") + random_.hex(16) +
                       "_0",
                   std::uint64_t{52000});
        const std::string firefox =
            libraryPath("Caches/Firefox/Profiles/k3x9q2a1.default-release/");
        home_.file(firefox + "startupCache/startupCache.8.little", std::uint64_t{3400000});
        home_.file(firefox + "thumbnails/" + random_.hex(32) + ".png", std::uint64_t{14000});
        const std::string whatsApp =
            libraryPath("Containers/desktop.WhatsApp/Data/Library/Application Support/WhatsApp/");
        for (const char* name : {"Code Cache/js/index", "GPUCache/data_0", "Cookies",
                                 "Cookies-journal", "Preferences", "Session Storage/000003.log",
                                 "voip_crash_log.txt", "Service Worker/Database/000001.log"}) {
            home_.file(whatsApp + name, random_.fileSize());
        }
        home_.file(libraryPath(
                       "Containers/com.apple.mail/Data/Library/Mail Downloads/Invoice 2023-11.pdf"),
                   std::uint64_t{182000});
        home_.file(libraryPath("Containers/com.apple.mail/Data/Library/Mail Downloads/photo.heic"),
                   std::uint64_t{2400000});
        const std::string mailbox =
            libraryPath("Mail/V10/") + random_.hex(8) + "-" + random_.hex(4) + "/INBOX.mbox/";
        for (int message = 0; message < 3; ++message) {
            home_.file(mailbox + random_.hex(8) + "/Data/Attachments/" +
                           std::to_string(1000 + message) + "/2/report.pdf",
                       random_.between(50000, 2000000));
        }
    }

    void system() {
        const std::string support = libraryPath("Application Support/");
        home_.file(support + "Google/Chrome/CrashPad/completed/" + random_.hex(8) + ".dmp",
                   std::uint64_t{420000});
        home_.file(support + "Firefox/Crash Reports/InstallTime20231211", std::uint64_t{10});
        home_.file(support + "Vivaldi/CrashPad/settings.dat", std::uint64_t{40});
        home_.file(libraryPath("Thunderbird/Crash Reports/events/") + random_.hex(8),
                   std::uint64_t{900});
        for (const char* report :
             {"Editor_2023-11-02-101502_Mac.crash", "Viewer_2023-12-01-090011_Mac.diag",
              "Pixel Paint_2023-12-04-181144_Mac.crash"}) {
            home_.file(support + "CrashReporter/" + report, random_.between(8000, 60000));
        }
        for (const char* state :
             {"org.sample.Editor", "org.sample.Viewer", "com.apple.Terminal", "com.example.Gone"}) {
            home_.file(libraryPath("Saved Application State/") + state +
                           ".savedState/windows.plist",
                       std::uint64_t{2048});
            home_.file(libraryPath("Saved Application State/") + state + ".savedState/data.data",
                       random_.fileSize());
        }
        home_.file(libraryPath(".Trash/Screenshot 2023-12-01 at 10.22.31.png"),
                   std::uint64_t{1800000});
        home_.file(libraryPath(".Trash/Old Project/notes.txt"), std::uint64_t{3000});
        home_.file(libraryPath(".Trash/.DS_Store"), std::uint64_t{6148});

        const std::string xcode = libraryPath("Developer/Xcode/");
        derivedHash_ = random_.hex(28);
        for (const char* project : {"Atlas", "Beacon", "Compass"}) {
            const std::string folder =
                xcode + "DerivedData/" + project + "-" +
                (std::string(project) == "Atlas" ? derivedHash_ : random_.hex(28));
            home_.file(folder + "/info.plist", std::uint64_t{600});
            if (std::string(project) != "Compass") {
                BundleWriter bundles(home_);
                bundles.write(folder + "/Build/Products/Debug/" + project + ".app",
                              {project, std::string("org.sample.") + project, "1.0"});
                home_.file(folder + "/Build/Intermediates.noindex/" + project +
                               ".build/Objects-normal/main.o",
                           std::uint64_t{240000});
            }
            home_.file(folder + "/Index.noindex/DataStore/v5/units/" + random_.hex(12),
                       std::uint64_t{3000});
        }
        for (const char* version : {"16.7 (20H19)", "17.1 (21B80)", "17.2 (21C62)"}) {
            home_.file(xcode + "iOS DeviceSupport/" + version + "/Symbols/usr/lib/dyld",
                       std::uint64_t{8000000});
        }
        home_.file(xcode + "Archives/2023-11-20/Atlas 20-11-2023, 14.02.xcarchive/Info.plist",
                   std::uint64_t{1200});
        home_.file(xcode + "Archives/2023-11-20/Atlas 20-11-2023, "
                           "14.02.xcarchive/Products/Applications/Atlas.app/Atlas",
                   std::uint64_t{480000});
    }

    void leftovers() {
        for (const char* container :
             {"org.sample.Editor", "org.sample.Editor.helper", "org.sample.Viewer.share",
              "org.sample.Notes", "net.oldvendor.Clipper", "com.apple.Safari"}) {
            home_.file(libraryPath("Containers/") + container + "/Data/Library/Preferences/" +
                           container + ".plist",
                       std::uint64_t{1024});
        }
    }

    void hiddenAndLinks() {
        home_.file(".DS_Store", std::uint64_t{6148});
        home_.file(".zsh_history", std::uint64_t{4000});
        home_.file(libraryPath("Caches/.DS_Store"), std::uint64_t{6148});
        home_.file(libraryPath("Caches/org.sample.Editor/.hidden-index"), std::uint64_t{333});
        home_.file("Documents/Project/readme.md", std::uint64_t{1500});
        // Links inside junk folders: counted and deleted as links, never followed.
        home_.link(libraryPath("Caches/org.sample.Editor/documents-link"), "../../../Documents");
        home_.link(libraryPath("Caches/io.pixelpaint.app/current"), "fsCachedData");
        home_.link(libraryPath(".Trash/dangling"), "/nonexistent/target");
    }

    TreeWriter& home_;
    TreeWriter& root_;
    SampleRandom& random_;
    std::string derivedHash_;
};

} // namespace

SampleHome::SampleHome(SampleHomeOptions options)
    : options_(std::move(options)) {}

std::uint64_t SampleHome::build() {
    SampleRandom random(options_.seed);
    TreeWriter home(options_.home, random);
    TreeWriter root(options_.root, random);
    Layout layout(home, root, random);
    layout.skeleton();
    const std::uint64_t made = home.filesMade() + root.filesMade();
    if (options_.files > made) {
        layout.bulk(options_.files - made);
    }
    return home.filesMade() + root.filesMade();
}

void SampleHome::storeGrants() const {
    // The application keeps each granted folder under its last path component.
    QSettings settings(QStringLiteral("Sorvane"), QStringLiteral("Sorvane"));
    const QString home = QString::fromStdString(options_.home);
    settings.setValue(home.section(QLatin1Char('/'), -1, -1, QString::SectionSkipEmpty), home);
    settings.setValue(QStringLiteral("Library"), home + QStringLiteral("/Library"));
    settings.sync();
}

} // namespace sorvane::tools
