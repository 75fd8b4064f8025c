// A cleaning removes what was selected and nothing else: whatever links, swaps or mounts an
// attacker puts in the way, no byte outside the home's junk folders is counted or removed.

#include "platform/Path.h"
#include "support/Processes.h"
#include "support/SwapRace.h"
#include "tools/SampleHomeRun.h"

#include <QJsonArray>

#include <cstdio>
#include <filesystem>
#include <gtest/gtest.h>
#include <map>
#include <set>
#include <stdexcept>
#include <sys/stat.h>

using namespace sorvane;
using namespace sorvane::test;

namespace fs = std::filesystem;

namespace {

// A folder outside every home, for what an attacker's links point at.
class OutsideFolder {
public:
    OutsideFolder() {
        char pattern[] = "/tmp/sorvane-victim-XXXXXX";
        if (mkdtemp(pattern) == nullptr) {
            throw std::runtime_error("cannot create a folder outside the home");
        }
        path_ = pattern;
        chmod(path_.c_str(), 0755);
    }
    ~OutsideFolder() {
        std::error_code error;
        fs::remove_all(path_, error);
    }
    OutsideFolder(const OutsideFolder&) = delete;
    OutsideFolder& operator=(const OutsideFolder&) = delete;

    const std::string& path() const { return path_; }

private:
    std::string path_;
};

// The folders each category reads, below the home (or, for bundles, below the system root).
struct CategoryReads {
    const char* key;
    std::vector<std::string> folders;
};

// Folders named after random text in the generated home, found by their fixed part.
std::string findBelow(const std::string& base, const std::string& relative,
                      const std::string& ending) {
    std::error_code error;
    for (auto it = fs::recursive_directory_iterator(base + "/" + relative, error);
         it != fs::recursive_directory_iterator(); it.increment(error)) {
        const std::string path = it->path().string();
        if (path.ends_with(ending)) {
            return path.substr(base.size() + 1);
        }
    }
    throw std::runtime_error("nothing ending in " + ending + " below " + relative);
}

std::vector<CategoryReads> categoryReads(const SampleHomeRun& sample) {
    const std::string home = sample.home().path();
    return {
        {"MAPS_CACHE",
         {"Library/Containers/com.apple.Maps", "Library/Caches/com.apple.Maps.Suggestions"}},
        {"MUSIC_CACHE", {"Library/Caches/com.apple.Music", "Music/iTunes/Album Artwork"}},
        {"APPLE_TV_FINDER", {"Library/Caches/com.apple.TV"}},
        {"SAVED_APPLICATION_STATES", {"Library/Saved Application State"}},
        {"BRAVE_BROWSER", {"Library/Caches/BraveBrowser"}},
        {"CHROME_BROWSER", {"Library/Caches/Google/Chrome/Default"}},
        {"APPLICATION_CRASHES",
         {"Library/Application Support/CrashReporter",
          "Library/Application Support/Google/Chrome/CrashPad",
          "Library/Application Support/Firefox/Crash Reports",
          "Library/Application Support/Vivaldi/CrashPad", "Library/Thunderbird/Crash Reports"}},
        {"FACETIME_CACHE", {"Library/Containers/com.apple.FaceTime"}},
        {"FIREFOX", {"Library/Caches/Firefox/Profiles/k3x9q2a1.default-release"}},
        {"MAIL_ATTACHMENTS",
         {"Library/Containers/com.apple.mail/Data/Library/Mail Downloads",
          findBelow(home, "Library/Mail", "/Data/Attachments")}},
        {"MESSAGES_CACHE", {"Library/Containers/com.apple.MobileSMS"}},
        {"OLD_APP_VERSIONS", {"Applications/Editor.app/Contents/Versions/1.0"}},
        {"RECYCLE_BIN", {"Library/.Trash"}},
        {"SAFARI", {"Library/Caches/com.apple.safari"}},
        {"SPOTIFY_CACHE",
         {"Library/Caches/com.spotify.client", "Library/Caches/com.spotify.installer"}},
        {"THUNDERBIRD", {"Library/Caches/Thunderbird"}},
        {"USER_CACHE", {"Library/Caches/com.docker.docker"}},
        {"WHATSAPP_CACHE",
         {"Library/Containers/desktop.WhatsApp/Data/Library/Application Support/WhatsApp"}},
        {"XCODE_CACHE",
         {"Library/Developer/Xcode/iOS DeviceSupport/17.1 (21B80)",
          "Library/Developer/Xcode/Archives/2023-11-20",
          findBelow(home, "Library/Developer/Xcode/DerivedData", "/Build/Products")}},
    };
}

// A folder and every folder above it, up to (not including) its anchor.
std::vector<std::string> withParents(const std::string& relative) {
    std::vector<std::string> chain;
    std::string folder = relative;
    while (!folder.empty() && folder != "Applications") {
        chain.push_back(folder);
        const auto slash = folder.rfind('/');
        folder = slash == std::string::npos ? std::string() : folder.substr(0, slash);
    }
    return chain;
}

} // namespace

// Every folder a category reads, and each folder above it, is in turn replaced by a link to
// its own contents moved outside the home: the search reports nothing reached through the link
// and cleaning every category leaves all of the moved contents in place.
TEST(ContainmentTest, NoCategoryReachesThroughALinkAtAnyLevel) {
    const SampleHomeRun names(7, 150);
    ASSERT_EQ(names.generated().exitCode, 0) << names.generated().err;
    std::map<std::string, std::set<std::string>> keysByFolder;
    for (const auto& reads : categoryReads(names)) {
        for (const auto& folder : reads.folders) {
            for (const auto& level : withParents(folder)) {
                keysByFolder[level].insert(reads.key);
            }
        }
    }
    ASSERT_GE(keysByFolder.size(), 40U);
    for (const auto& [folder, keys] : keysByFolder) {
        SCOPED_TRACE(folder);
        const SampleHomeRun run(7, 150);
        ASSERT_EQ(run.generated().exitCode, 0);
        const bool inRoot = folder.starts_with("Applications/");
        const std::string linked = (inRoot ? run.root() : run.home().path()) + "/" + folder;
        ASSERT_TRUE(fs::is_directory(linked));
        const OutsideFolder victim;
        const std::string moved = victim.path() + "/moved";
        fs::rename(linked, moved);
        fs::create_directory_symlink(moved, linked);
        const auto before = describeTree(victim.path());

        const auto scan = runCli(run, {QStringLiteral("scan"), QStringLiteral("--json")});
        ASSERT_EQ(scan.exitCode, 0) << scan.err;
        EXPECT_EQ(scan.out.find(linked + "/"), std::string::npos) << scan.out;
        EXPECT_EQ(scan.out.find(victim.path()), std::string::npos) << scan.out;

        QStringList clean{QStringLiteral("clean"), QStringLiteral("--yes")};
        for (const auto& key : keys) {
            clean << QStringLiteral("--category") << QString::fromStdString(key);
        }
        const auto cleaned = runCli(run, clean);
        EXPECT_NE(cleaned.exitCode, 1) << cleaned.out << cleaned.err;
        EXPECT_EQ(describeTree(victim.path()), before);
    }
}

// The bundles' kept versions and the device folders are resolved when they are links, but only
// to a folder inside the folder listed: any other link stands for nothing.
TEST(ContainmentTest, ResolvedLinksStayInsideTheFolderListed) {
    struct Case {
        const char* name;
        std::string target; // "@" stands for a folder outside the home
        bool resolved;
    };
    const std::vector<Case> cases{
        {"inside", "kept/1.5", true},
        {"outside", "@", false},
        {"through-dot-dot", "../$/kept/1.5", false},
        {"dangling", "missing", false},
    };
    const QStringList categories{QStringLiteral("--category"), QStringLiteral("OLD_APP_VERSIONS"),
                                 QStringLiteral("--category"), QStringLiteral("XCODE_CACHE")};
    for (const auto& [name, target, resolved] : cases) {
        SCOPED_TRACE(name);
        const SampleHomeRun run(7, 150);
        ASSERT_EQ(run.generated().exitCode, 0);
        const OutsideFolder victim;
        fs::create_directories(victim.path() + "/9.9/Symbols");
        const auto before = describeTree(victim.path());
        for (const std::string& folder :
             {run.root() + "/Applications/Editor.app/Contents/Versions",
              run.home().pathOf("Library/Developer/Xcode/iOS DeviceSupport")}) {
            fs::create_directories(folder + "/kept/1.5");
            std::string linked = target == "@" ? victim.path() + "/9.9" : target;
            if (const auto mark = linked.find('$'); mark != std::string::npos) {
                linked.replace(mark, 1, fs::path(folder).filename().string());
            }
            fs::create_symlink(linked, folder + "/link-" + name);
        }

        const auto scan = runCli(run, QStringList{QStringLiteral("scan"), QStringLiteral("--json")}
                                          << categories);
        ASSERT_EQ(scan.exitCode, 0) << scan.err;
        EXPECT_EQ(scan.out.find("Versions/kept/1.5") != std::string::npos, resolved) << scan.out;
        EXPECT_EQ(scan.out.find("DeviceSupport/kept/1.5") != std::string::npos, resolved);
        EXPECT_EQ(scan.out.find("link-"), std::string::npos) << "a link stands for its target";
        EXPECT_EQ(scan.out.find(victim.path()), std::string::npos);

        const auto cleaned = runCli(
            run, QStringList{QStringLiteral("clean"), QStringLiteral("--yes")} << categories);
        EXPECT_EQ(cleaned.exitCode, 0) << cleaned.out << cleaned.err;
        EXPECT_EQ(describeTree(victim.path()), before);
    }
}

// Root removes, one by one, folders of a cache owned by another user, who swaps the cache
// folder for a link to a root-owned copy of the same tree, and back, as fast as it can. Every
// removal resolves its location afresh from the home, so not one file of the copy goes.
TEST(ContainmentTest, ParentSwappedByItsOwnerDuringRootRemovalsNeverLeadsOutside) {
    if (!runningAsRoot()) {
        GTEST_SKIP() << "the race needs root removing in another user's home";
    }
    constexpr int trials = 1000;
    TempHome home;
    const OutsideFolder victim;
    for (int i = 0; i < trials; ++i) {
        const std::string folder = "Library/Caches/sel/d" + std::to_string(i);
        home.file(folder + "/a", 10);
        home.file(folder + "/sub/b", 10);
        fs::create_directories(victim.path() + "/sel/d" + std::to_string(i) + "/sub");
        std::FILE* keep =
            std::fopen((victim.path() + "/sel/d" + std::to_string(i) + "/a").c_str(), "w");
        ASSERT_NE(keep, nullptr);
        std::fclose(keep);
    }
    home.chownAll(unprivilegedUid(), unprivilegedGid());
    const auto before = describeTree(victim.path());
    const std::string caches = home.pathOf("Library/Caches");
    int removed = 0;
    {
        ChildProcess swapper("/usr/bin/setpriv",
                             {"--reuid=" + std::to_string(unprivilegedUid()),
                              "--regid=" + std::to_string(unprivilegedGid()), "--clear-groups",
                              pathProbe().toStdString(), "swap", caches, victim.path()});
        ASSERT_TRUE(swapper.started());
        ::testing::internal::CaptureStdout();
        for (int i = 0; i < trials; ++i) {
            removed += Path::remove(Url::folder(caches + "/sel/d" + std::to_string(i))) ? 1 : 0;
        }
        ::testing::internal::GetCapturedStdout();
    }
    if (fs::is_symlink(caches)) {
        swapBack(caches);
    }
    EXPECT_EQ(describeTree(victim.path()), before);
    EXPECT_GT(removed, 0) << "the removals must have had a chance";
}

// A file system mounted inside a selected cache folder is neither counted nor emptied; the
// folder stays and the cleaning says so.
TEST(ContainmentTest, MountInsideASelectedFolderIsNeitherCountedNorEmptied) {
    const SampleHomeRun run(7, 150);
    ASSERT_EQ(run.generated().exitCode, 0);
    const OutsideFolder mounted;
    for (int i = 0; i < 4; ++i) {
        std::FILE* file = std::fopen((mounted.path() + "/data" + std::to_string(i)).c_str(), "w");
        ASSERT_NE(file, nullptr);
        std::fputs(std::string(100000, 'x').c_str(), file);
        std::fclose(file);
    }
    const auto before = describeTree(mounted.path());
    const std::string cache = run.home().pathOf("Library/Caches/com.docker.docker");
    fs::create_directories(cache + "/mounted");
    const auto sizeOf = [&](const std::string& json) -> qint64 {
        for (const auto item : parseJson(json)
                                   .value(QStringLiteral("categories"))
                                   .toArray()[0]
                                   .toObject()
                                   .value(QStringLiteral("items"))
                                   .toArray()) {
            if (item.toObject().value(QStringLiteral("url")).toString().toStdString() == cache) {
                return item.toObject().value(QStringLiteral("size")).toInteger();
            }
        }
        return -1;
    };
    const auto plain = runCli(run, {QStringLiteral("scan"), QStringLiteral("--json"),
                                    QStringLiteral("--category"), QStringLiteral("USER_CACHE")});
    ASSERT_EQ(plain.exitCode, 0) << plain.err;

    const std::string out = mounted.path() + ".out";
    const QString script = QStringLiteral(
        "mount --bind \"$1\" \"$2/mounted\" || exit 90; "
        "\"$3\" scan --json --category USER_CACHE --home \"$4\" --root \"$5\" > \"$6.scan\"; "
        "\"$3\" clean --yes --json --category USER_CACHE --home \"$4\" --root \"$5\" > "
        "\"$6.clean\"; "
        "echo $? > \"$6.status\"");
    const auto inside = test::run(
        QStringLiteral("unshare"),
        {QStringLiteral("--mount"), QStringLiteral("--propagation"), QStringLiteral("private"),
         QStringLiteral("sh"), QStringLiteral("-c"), script, QStringLiteral("sh"),
         QString::fromStdString(mounted.path()), QString::fromStdString(cache),
         QStringLiteral(SORVANE_CLI), QString::fromStdString(run.home().path()),
         QString::fromStdString(run.root()), QString::fromStdString(out)});
    if (inside.exitCode != 0) {
        GTEST_SKIP() << "no private mount namespace could be made here: " << inside.err;
    }
    EXPECT_EQ(sizeOf(readFile(out + ".scan")), sizeOf(plain.out));
    EXPECT_EQ(readFile(out + ".status"), "1\n");
    const auto remaining =
        parseJson(readFile(out + ".clean")).value(QStringLiteral("remaining")).toArray();
    EXPECT_TRUE(remaining.contains(QString::fromStdString(cache))) << readFile(out + ".clean");
    EXPECT_EQ(describeTree(mounted.path()), before);
    for (const char* suffix : {".scan", ".clean", ".status"}) {
        std::remove((out + suffix).c_str());
    }
}
