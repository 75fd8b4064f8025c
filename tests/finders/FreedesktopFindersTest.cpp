#include "engine/DiskCleaner.h"
#include "engine/EngineStrings.h"
#include "engine/PredefinedCategories.h"
#include "finders/CategoryFinder.h"
#include "finders/freedesktop/FreedesktopCategories.h"
#include "finders/freedesktop/JetBrainsVersions.h"
#include "finders/freedesktop/ObsoleteExtensions.h"
#include "support/FreedesktopHome.h"
#include "support/Processes.h"
#include "support/ResultDescription.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <set>
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
         {".local/share/Trash/files/a.txt", ".local/share/Trash/info/a.txt.trashinfo",
          ".local/share/Trash/info/gone.trashinfo"},
         {"a.txt @ .local/share/Trash/files/a.txt + .local/share/Trash/info/a.txt.trashinfo",
          "Trash records without files @ - + .local/share/Trash/info/gone.trashinfo "
          "{stock:user-trash-full}"}},
        {"FIREFOX_CACHE",
         {".cache/mozilla/firefox/abc.default-release/cache2/entries/E1",
          ".cache/mozilla/firefox/abc.default-release/startupCache/s",
          ".cache/mozilla/firefox/abc.default-release/thumbnails",
          ".cache/mozilla/firefox/abc.default-release/safebrowsing/x",
          ".cache/mozilla/firefox/zz.work/cache2 -> ../abc.default-release/cache2",
          ".cache/mozilla/firefox/linked -> abc.default-release",
          ".cache/mozilla/firefox/.hidden/cache2/x", ".cache/mozilla/firefox/profiles.ini",
          "snap/firefox/common/.cache/mozilla/firefox/snp.default/cache2/x",
          ".var/app/org.mozilla.firefox/cache/mozilla/firefox/fp.default/startupCache/x"},
         {"cache2 @ .cache/mozilla/firefox/abc.default-release/cache2/",
          "startupCache @ .cache/mozilla/firefox/abc.default-release/startupCache/",
          "thumbnails @ .cache/mozilla/firefox/abc.default-release/thumbnails",
          "cache2 @ snap/firefox/common/.cache/mozilla/firefox/snp.default/cache2/",
          "startupCache @ .var/app/org.mozilla.firefox/cache/mozilla/firefox/fp.default/"
          "startupCache/"}},
        {"THUNDERBIRD_CACHE",
         {".cache/thunderbird/p1.default/cache2/x", ".cache/thunderbird/p1.default/startupCache/x",
          ".var/app/org.mozilla.Thunderbird/cache/thunderbird/p2/cache2/x",
          "snap/thunderbird/common/.cache/thunderbird/p3/cache2/x"},
         {"cache2 @ .cache/thunderbird/p1.default/cache2/",
          "cache2 @ .var/app/org.mozilla.Thunderbird/cache/thunderbird/p2/cache2/",
          "cache2 @ snap/thunderbird/common/.cache/thunderbird/p3/cache2/"}},
        {"CHROME_CACHE",
         {".cache/google-chrome/Default/Cache/Cache_Data/x",
          ".cache/google-chrome/Default/Cache/inner/Cache/y",
          ".cache/google-chrome/Default/Code Cache/js/z",
          ".cache/google-chrome/Default/Storage/ext/Cache/w",
          ".cache/google-chrome/.hidden/Cache/q", ".cache/google-chrome/Profile 1/Ext.app/Cache/q",
          ".cache/google-chrome/Profile 1/Cache -> ../Default/Cache",
          ".cache/google-chrome/Profile 2 -> Default", ".config/google-chrome/ShaderCache/a",
          ".config/google-chrome/ShaderCache/GPUCache/a",
          ".config/google-chrome/GraphiteDawnCache/a", ".config/google-chrome/Default/GPUCache/a",
          ".config/google-chrome/Default/Cache/a",
          ".config/google-chrome/Default/Service Worker/CacheStorage/a",
          ".config/google-chrome/Default/Service Worker/Database/a",
          ".var/app/com.google.Chrome/config/google-chrome/Profile 3/DawnCache/a"},
         {"Cache @ .cache/google-chrome/Default/Cache/",
          "Code Cache @ .cache/google-chrome/Default/Code Cache/",
          "Cache @ .cache/google-chrome/Default/Storage/ext/Cache/",
          "ShaderCache @ .config/google-chrome/ShaderCache/",
          "GraphiteDawnCache @ .config/google-chrome/GraphiteDawnCache/",
          "GPUCache @ .config/google-chrome/Default/GPUCache/",
          "CacheStorage @ .config/google-chrome/Default/Service Worker/CacheStorage/",
          "DawnCache @ .var/app/com.google.Chrome/config/google-chrome/Profile 3/DawnCache/"}},
        {"CHROMIUM_CACHE",
         {"snap/chromium/common/.cache/chromium/Default/Cache/x",
          "snap/chromium/common/chromium/Default/GPUCache/x",
          ".var/app/org.chromium.Chromium/cache/chromium/Default/Code Cache/x",
          ".config/chromium/GrShaderCache/x"},
         {"Cache @ snap/chromium/common/.cache/chromium/Default/Cache/",
          "Code Cache @ .var/app/org.chromium.Chromium/cache/chromium/Default/Code Cache/",
          "GrShaderCache @ .config/chromium/GrShaderCache/",
          "GPUCache @ snap/chromium/common/chromium/Default/GPUCache/"}},
        {"BRAVE_CACHE",
         {".cache/BraveSoftware/Brave-Browser/Default/Cache/x",
          ".var/app/com.brave.Browser/config/BraveSoftware/Brave-Browser/Default/GPUCache/x"},
         {"Cache @ .cache/BraveSoftware/Brave-Browser/Default/Cache/",
          "GPUCache @ .var/app/com.brave.Browser/config/BraveSoftware/Brave-Browser/Default/"
          "GPUCache/"}},
        {"EDGE_CACHE",
         {".cache/microsoft-edge/Default/Cache/x",
          ".config/microsoft-edge/Default/Service Worker/ScriptCache/x"},
         {"Cache @ .cache/microsoft-edge/Default/Cache/",
          "ScriptCache @ .config/microsoft-edge/Default/Service Worker/ScriptCache/"}},
        {"VIVALDI_CACHE",
         {".var/app/com.vivaldi.Vivaldi/cache/vivaldi/Default/Cache/x",
          ".config/vivaldi/ShaderCache/x"},
         {"Cache @ .var/app/com.vivaldi.Vivaldi/cache/vivaldi/Default/Cache/",
          "ShaderCache @ .config/vivaldi/ShaderCache/"}},
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
         {".config/Slack/Cache/x", ".var/app/com.slack.Slack/config/Slack/DawnCache/x"},
         {"Cache @ .config/Slack/Cache/",
          "DawnCache @ .var/app/com.slack.Slack/config/Slack/DawnCache/"}},
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
        {"CRASH_REPORTS",
         {"root/var/crash/_usr_bin_app.0.crash", "root/var/crash/x.crash.upload"},
         {"_usr_bin_app.0.crash @ root/var/crash/_usr_bin_app.0.crash"}},
    };
    return cases;
}

// Every location a result names: urls and suburls.
std::vector<std::string> locationsOf(const CleanerResult& result) {
    std::vector<std::string> all;
    for (const auto& item : result.items()) {
        if (item->url()) {
            all.push_back(item->url()->path());
        }
        for (const auto& suburl : item->suburls()) {
            all.push_back(suburl.path());
        }
    }
    return all;
}

class EngineEvents final : public DiskCleanerDelegate {
public:
    void cleanerDidStartSearch() override {}
    void cleanerDidFinishSearch() override { searched = true; }
    void cleanerDidUpdateSelectedSize(std::uint64_t) override {}
    void cleanerWillSearchCategory(const std::shared_ptr<CleanerResult>&) override {}
    void cleanerDidUpdateProgress(float) override {}
    void cleanerDidStartCleaning() override {}
    void cleanerDidFinishCleaning() override { cleaned = true; }

    bool searched = false;
    bool cleaned = false;
};

} // namespace

TEST(FreedesktopFindersTest, EachCategoryOnItsOwn) {
    for (const auto& [key, tree, expected] : categoryCases()) {
        SCOPED_TRACE(key);
        FreedesktopHome fixture;
        fixture.build(tree);
        EXPECT_EQ(fixture.searched(key), expected);
    }
}

TEST(FreedesktopFindersTest, AllCategoriesTogetherInOrderWithoutOverlap) {
    FreedesktopHome fixture;
    for (const auto& row : categoryCases()) {
        fixture.build(row.tree);
    }
    const CategoryList categories = freedesktopCategories();
    ASSERT_EQ(categories.size(), categoryCases().size());
    std::vector<std::string> all;
    for (std::size_t i = 0; i < categories.size(); ++i) {
        const auto& row = categoryCases()[i];
        SCOPED_TRACE(row.key);
        EXPECT_EQ(dynamic_cast<const CategoryFinder&>(*categories[i]).nameKey(), row.key);
        categories[i]->search();
        EXPECT_EQ(test::describe(fixture.home, *categories[i]->result()), row.expected);
        const auto locations = locationsOf(*categories[i]->result());
        all.insert(all.end(), locations.begin(), locations.end());
    }
    // No location twice, none inside another: sorted, a location inside another follows it.
    std::sort(all.begin(), all.end());
    for (std::size_t i = 1; i < all.size(); ++i) {
        EXPECT_FALSE(all[i] == all[i - 1] || all[i].starts_with(all[i - 1] + "/"))
            << all[i - 1] << " and " << all[i];
    }
}

TEST(FreedesktopFindersTest, TrashPairsHiddenEntriesAndOrphanRecords) {
    FreedesktopHome fixture;
    const std::string odd = "r\xe9sum\xe9\n.txt";
    fixture.build(
        {".local/share/Trash/files/a.txt", ".local/share/Trash/files/.hidden",
         ".local/share/Trash/files/folder/inside", ".local/share/Trash/files/" + odd,
         ".local/share/Trash/files/link -> /etc/passwd", ".local/share/Trash/info/a.txt.trashinfo",
         ".local/share/Trash/info/.hidden.trashinfo",
         ".local/share/Trash/info/folder.trashinfo -> a.txt.trashinfo",
         ".local/share/Trash/info/" + odd + ".trashinfo", ".local/share/Trash/info/link.trashinfo",
         ".local/share/Trash/info/gone.trashinfo", ".local/share/Trash/info/.trashinfo",
         ".local/share/Trash/info/.gone.trashinfo",
         ".local/share/Trash/info/stale.trashinfo -> /nonexistent",
         ".local/share/Trash/info/notes.txt"});
    const std::string files = ".local/share/Trash/files/";
    const std::string info = ".local/share/Trash/info/";
    EXPECT_EQ(fixture.searched("FREEDESKTOP_TRASH"),
              (Lines{".hidden @ " + files + ".hidden + " + info + ".hidden.trashinfo",
                     "a.txt @ " + files + "a.txt + " + info + "a.txt.trashinfo",
                     "folder @ " + files + "folder/",
                     "link @ " + files + "link + " + info + "link.trashinfo",
                     QString::fromStdString(odd).toStdString() + " @ " + files + odd + " + " +
                         info + odd + ".trashinfo",
                     "Trash records without files @ - + " + info + ".gone.trashinfo + " + info +
                         "gone.trashinfo {stock:user-trash-full}"}));

    // Records count as orphans only while the files folder can be looked at.
    std::filesystem::rename(fixture.home.pathOf(files), fixture.home.pathOf("elsewhere"));
    fixture.home.link(".local/share/Trash/files", "../../../elsewhere");
    const Lines linked = fixture.searched("FREEDESKTOP_TRASH");
    EXPECT_TRUE(linked.empty()) << linked.front();
}

TEST(FreedesktopFindersTest, TheEngineSearchesEveryCategoryAndCleansTrashRecordsAlong) {
    FreedesktopHome fixture;
    for (const auto& row : categoryCases()) {
        fixture.build(row.tree);
    }
    fixture.build({".local/share/Trash/files/b/x", ".local/share/Trash/info/b.trashinfo"});
    auto engine = DiskCleaner::create();
    auto delegate = std::make_shared<EngineEvents>();
    engine->setDelegate(delegate);
    engine->startSearch();
    ASSERT_TRUE(test::waitUntil([&] { return delegate->searched; }));
    Lines keys;
    for (const auto& category : engine->categories()) {
        keys.push_back(dynamic_cast<const CategoryFinder&>(*category).nameKey());
    }
    Lines expectedKeys;
    for (const auto& row : categoryCases()) {
        expectedKeys.push_back(row.key);
    }
    EXPECT_EQ(keys, expectedKeys);

    const auto trash = test::categoryWithKey(engine->categories(), "FREEDESKTOP_TRASH");
    ASSERT_EQ(trash->result()->items().size(), 3U); // a.txt, b and the orphan record
    trash->result()->items()[1]->setSelected(true);
    engine->startCleaning();
    ASSERT_TRUE(test::waitUntil([&] { return delegate->cleaned; }));
    Lines left;
    for (const auto& entry :
         std::filesystem::recursive_directory_iterator(fixture.home.pathOf(".local/share/Trash"))) {
        left.push_back(entry.path().filename().string());
    }
    std::sort(left.begin(), left.end());
    EXPECT_EQ(left, (Lines{"a.txt", "a.txt.trashinfo", "files", "gone.trashinfo", "info"}));
}

TEST(FreedesktopFindersTest, ObsoleteFiles) {
    struct Case {
        const char* name;
        std::string obsolete; // the file's bytes; "->" makes it a link to a real one
        Lines expected;
    };
    const std::vector<Case> cases{
        {"file order, not key order",
         R"({"b-2.0": true, "a-1.0": true, "c-3.0": true})",
         {"b-2.0", "a-1.0", "c-3.0"}},
        {"only true counts",
         R"({"a-1.0": false, "b-2.0": "true", "c-3.0": 1, "d-4.0": {"x": true},
           "e-5.0" : true })",
         {"e-5.0"}},
        {"missing folders and a file",
         R"({"gone-1.0": true, "file-1.0": true, "a-1.0": true})",
         {"a-1.0"}},
        {"escaped keys", R"({"\u0061-1.0": true, "\u00fc-1.0": true})", {"a-1.0", "\xc3\xbc-1.0"}},
        {"keys that are not one component",
         R"({"": true, ".": true, "..": true, "a-1.0/x": true, "../b-2.0": true, "a\u0000": true,
           "\ud800": true, "b-2.0": true})",
         {"b-2.0"}},
        {"a link to a folder", R"({"linked-1.0": true})", {}},
        {"a key twice", R"({"a-1.0": true, "a-1.0": false})", {}},
        {"malformed", R"({"a-1.0": true,})", {}},
        {"an array", R"(["a-1.0"])", {}},
        {"not UTF-8", "{\"a-1.0\": true, \"\xff\": true}", {}},
        {"trailing text", R"({"a-1.0": true} x)", {}},
        {"too large", R"({"a-1.0": true, "pad": ")" + std::string(1024 * 1024, 'x') + "\"}", {}},
        {"a link to a valid file", "->", {}},
    };
    for (const auto& [name, obsolete, expected] : cases) {
        SCOPED_TRACE(name);
        FreedesktopHome fixture;
        const std::string extensions = ".vscode-oss/extensions/";
        fixture.build({extensions + "a-1.0/package.json", extensions + "b-2.0/package.json",
                       extensions + "c-3.0/package.json", extensions + "d-4.0/",
                       extensions + "e-5.0/", extensions + "\xc3\xbc-1.0/", extensions + "file-1.0",
                       extensions + "linked-1.0 -> a-1.0",
                       "elsewhere/.obsolete = {\"a-1.0\": true}"});
        if (obsolete == "->") {
            fixture.home.link(extensions + ".obsolete", "../../elsewhere/.obsolete");
        } else {
            test::writeFile(fixture.home.pathOf(extensions + ".obsolete"), obsolete);
        }
        Lines expectedLines;
        for (const auto& folder : expected) {
            expectedLines.push_back(folder + " @ " + extensions + folder + "/");
        }
        EXPECT_EQ(fixture.searched("OLD_VERSIONS"), expectedLines);
    }
}

TEST(FreedesktopFindersTest, JetBrainsVersions) {
    struct Case {
        const char* name;
        Lines folders; // in .local/share/JetBrains
        Lines older;
    };
    const std::vector<Case> cases{
        {"several products",
         {"IntelliJIdea2023.1", "IntelliJIdea2024.1", "IntelliJIdea2023.3", "PyCharm2023.2",
          "PyCharmCE2023.1", "PyCharmCE2023.2", "Rider2024.1"},
         {"IntelliJIdea2023.1", "IntelliJIdea2023.3", "PyCharmCE2023.1"}},
        {"numbers as integers, products by case",
         {"Go2024.9", "Go2024.10", "go2023.1", "Go2023.100"},
         {"Go2023.100", "Go2024.9"}},
        {"a tie keeps the first",
         {"Foo2024.01", "Foo2024.1", "Foo2023.5"},
         {"Foo2023.5", "Foo2024.1"}},
        {"names that do not match",
         {"WebStorm2024.1.2", "Go2024.1-backup", "2024.1", "Go24.1", "Go2024.", "Go2024.x",
          "Web Storm2024.1", "Go2023.1"},
         {}},
    };
    for (const auto& [name, folders, older] : cases) {
        SCOPED_TRACE(name);
        FreedesktopHome fixture;
        Lines expected;
        for (const auto& folder : folders) {
            fixture.build({".local/share/JetBrains/" + folder + "/x"});
        }
        for (const auto& folder : older) {
            expected.push_back(folder + " @ .local/share/JetBrains/" + folder + "/");
        }
        // Links, hidden folders, files and settings are never versions to remove.
        fixture.build({".local/share/JetBrains/Go2020.1 -> Go2023.1",
                       ".local/share/JetBrains/.Go2019.1/", ".local/share/JetBrains/Go2018.1",
                       ".config/JetBrains/Go2017.1/x", ".config/JetBrains/Go2030.1/x"});
        EXPECT_EQ(fixture.searched("OLD_VERSIONS"), expected);
        EXPECT_TRUE(test::exists(fixture.home.pathOf(".config/JetBrains/Go2017.1/x")));
    }
}

TEST(FreedesktopFindersTest, CrashReportsOfTheUserOnly) {
    FreedesktopHome fixture;
    const std::string crash = "root/var/crash/";
    fixture.build({crash + "mine.crash", crash + ".hidden.crash", crash + "theirs.crash",
                   crash + "mine.crash.upload", crash + "folder.crash/",
                   crash + "link.crash -> mine.crash"});
    ASSERT_EQ(mkfifo(fixture.home.pathOf(crash + "pipe.crash").c_str(), 0600), 0);
    if (test::runningAsRoot()) {
        ASSERT_EQ(lchown(fixture.home.pathOf(crash + "theirs.crash").c_str(),
                         test::unprivilegedUid(), test::unprivilegedGid()),
                  0);
    } else {
        std::filesystem::remove(fixture.home.pathOf(crash + "theirs.crash"));
    }
    EXPECT_EQ(fixture.searched("CRASH_REPORTS"),
              (Lines{".hidden.crash @ " + crash + ".hidden.crash",
                     "mine.crash @ " + crash + "mine.crash"}));
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
