// The command-line companion run as a real process on generated homes. Its cleanings remove what
// was selected and nothing else: whatever links, swaps or mounts an attacker puts in the way, no
// byte outside the home's junk folders is counted or removed.

#include "finders/PredefinedCategories.h"
#include "platform/fs/Path.h"
#include "platform/places/Layout.h"
#include "platform/text/DisplayWidth.h"
#include "support/BundleFixture.h"
#include "tools/SampleHomeRun.h"

#include <QJsonArray>
#include <QScopeGuard>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <algorithm>
#include <cerrno>
#include <climits>
#include <fcntl.h>
#include <filesystem>
#include <map>
#include <set>
#include <sstream>
#include <stdexcept>
#include <sys/stat.h>
#include <unistd.h>

using namespace sorvane;
using namespace sorvane::test;

namespace fs = std::filesystem;

namespace {

QString q(const std::string& text) {
    return QString::fromStdString(text);
}

QStringList args(const std::string& line) {
    return q(line).split(QLatin1Char(' '), Qt::SkipEmptyParts);
}

QStringList texts(const QJsonValue& array) {
    return QVariant(array.toArray().toVariantList()).toStringList();
}

class CliTest : public ::testing::Test {
protected:
    explicit CliTest(const char* layout = "macos")
        : run(7, 400, QString::fromUtf8(layout)) {}
    void SetUp() override { ASSERT_EQ(run.generated().exitCode, 0) << run.generated().err; }

    // Runs the CLI on a shell line without quotes: leading NAME=value words set variables, "%h"
    // stands for the sample home and "%o" for another, bare one; the sample home and root come
    // first unless the line gives its own (so that an option left without its value stays last).
    ProcessResult cli(const std::string& line, const QStringList& more = {}) const {
        QStringList words = args(line)
                                .replaceInStrings(QStringLiteral("%h"), q(home))
                                .replaceInStrings(QStringLiteral("%o"), q(other.path()));
        QStringList command;
        const bool ownHome = line.starts_with("HOME=") || words.contains(QStringLiteral("--home"));
        while (!words.isEmpty() && words.first().contains(QLatin1Char('='))) {
            command << words.takeFirst();
        }
        command << QStringLiteral(SORVANE_CLI);
        if (!words.isEmpty() && !ownHome) {
            command << QStringLiteral("--home") << q(home);
        }
        if (!words.isEmpty() && !words.contains(QStringLiteral("--root"))) {
            command << QStringLiteral("--root") << q(run.root());
        }
        return test::run(QStringLiteral("env"), command + words + more);
    }

    const TempHome other; // before the sample, whose home is the one $HOME names
    const SampleHomeRun run;
    const std::string home = run.home().path();
};

class CliLayoutTest : public CliTest, public ::testing::WithParamInterface<LayoutKind> {
protected:
    CliLayoutTest()
        : CliTest(Layout::name(GetParam())) {}
};

// Folders named after random text in the generated home, found by their fixed part.
std::string findBelow(const std::string& base, const std::string& relative,
                      const std::string& ending) {
    for (const auto& entry : fs::recursive_directory_iterator(base + "/" + relative)) {
        if (entry.path().string().ends_with(ending)) {
            return entry.path().string().substr(base.size() + 1);
        }
    }
    throw std::runtime_error("nothing ending in " + ending + " below " + relative);
}

// The folders each category reads, below the home (or, for bundles, below the system root).
std::vector<std::pair<const char*, std::vector<std::string>>>
categoryReads(const SampleHomeRun& sample) {
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

// Scans the sample, then cleans the categories: the report names nothing in the victim folder
// and the cleaning leaves it as it was. A clean that must succeed exits 0; otherwise it may find
// nothing to clean (2), but nothing may stay behind (1). Returns the scan's report.
std::string scanAndClean(const SampleHomeRun& sample, const QStringList& categories,
                         const std::string& victim, bool mustClean = false) {
    const auto before = describeTree(victim);
    const auto scan = runCli(sample, args("scan --json"));
    EXPECT_EQ(scan.exitCode, 0) << scan.err;
    EXPECT_EQ(scan.out.find(victim), std::string::npos) << scan.out;
    const auto cleaned = runCli(sample, args("clean --yes") + categories);
    EXPECT_TRUE(mustClean ? cleaned.exitCode == 0 : cleaned.exitCode != 1)
        << cleaned.exitCode << cleaned.out << cleaned.err;
    EXPECT_EQ(describeTree(victim), before);
    return scan.out;
}

} // namespace

TEST_P(CliLayoutTest, ScanReportsWhatTheFindersFind) {
    const auto scan = cli("scan --json");
    ASSERT_EQ(scan.exitCode, 0) << scan.err;
    const QJsonObject report = parseJson(scan.out);
    EXPECT_EQ(report.value("layout").toString().toStdString(), Layout::name(GetParam()));

    // The report the finders' own results make.
    const ScopedSystemRoot root(run.root());
    Layout::choose(GetParam(), FreedesktopFolders::under(home));
    const auto restore = qScopeGuard([] { Layout::choose(LayoutKind::macos); });
    QJsonArray expected;
    qint64 total = 0;
    const auto keep = std::make_shared<const KeepList>(KeepList::current());
    QStringList kept;
    for (const auto& category : predefinedCategories()) {
        category->search();
        category->result()->applyKeepList(keep);
        QJsonArray keptHere;
        for (const auto& location : category->result()->kept()) {
            keptHere.append(QJsonObject{{"path", q(location.path)},
                                        {"entry", q(location.entry)},
                                        {"size", static_cast<qint64>(location.size.bytes)}});
            kept.append(q(location.entry));
        }
        QJsonArray items;
        qint64 size = 0;
        ASSERT_NE(category->result(), nullptr);
        for (const auto& item : category->result()->items()) {
            QJsonArray suburls;
            for (const auto& suburl : item->suburls()) {
                suburls.append(q(suburl.path()));
            }
            const auto url = item->url() ? QJsonValue(q(item->url()->path())) : QJsonValue();
            const auto bytes = static_cast<qint64>(item->size());
            items.append(QJsonObject{
                {"name", item->name()}, {"url", url}, {"suburls", suburls}, {"size", bytes}});
            size += bytes;
        }
        const auto key = q(category->key());
        const auto bundle = category->bundleIdentifier();
        EXPECT_FALSE(items.isEmpty()) << "the sample home has something for " << key.toStdString();
        expected.append(
            QJsonObject{{"key", key},
                        {"name", category->result()->name()},
                        {"bundleIdentifier", bundle ? QJsonValue(*bundle) : QJsonValue()},
                        {"size", size},
                        {"items", items},
                        {"kept", keptHere}});
        total += size;
    }
    EXPECT_EQ(report.value("categories").toArray(), expected) << scan.out;
    // State kept in the cache folder is never offered, in a home that holds all of it.
    if (GetParam() == LayoutKind::freedesktop) {
        EXPECT_EQ(kept.join(' ').toStdString(),
                  "~/.cache/gnome-control-center ~/.cache/ibus ~/.cache/keepassxc "
                  "~/.cache/obexd ~/.cache/wallpaper ~/.var/app/*/cache/keepassxc");
    }
    EXPECT_EQ(report.value("totalSize").toInteger(), total);
}

INSTANTIATE_TEST_SUITE_P(Cli, CliLayoutTest,
                         ::testing::Values(LayoutKind::macos, LayoutKind::freedesktop),
                         [](const auto& info) { return std::string(Layout::name(info.param)); });

// Names a terminal would act on, and bytes that are no text, are written escaped by every report
// and select their locations again; a group goes only whole, and nothing goes without --yes or
// outside the selection.
TEST_F(CliTest, CleaningRemovesExactlyTheSelectionWrittenAsTheReportsWriteIt) {
    // A name in the trash, and how the reports write it.
    const std::vector<std::pair<std::string, std::string>> cases{
        {"next\xc2\x85line", "next\\xc2\\x85line"},                      // C1 NEL
        {"rubout\x7f", "rubout\\x7f"},                                   // DEL
        {"invoice\xe2\x80\xaegpj.exe", "invoice\\xe2\\x80\\xaegpj.exe"}, // right-to-left override
        {"isolate\xe2\x81\xa6x\xe2\x81\xa9", "isolate\\xe2\\x81\\xa6x\\xe2\\x81\\xa9"},
        {"colour\x1b[31m", "colour\\x1b[31m"},                                        // C0 ESC
        {"na\xc3\xafve \xe2\x80\x94 \xc2\xa0", "na\xc3\xafve \xe2\x80\x94 \xc2\xa0"}, // plain text
        {"caf\xe9\nlist\\v1.txt", "caf\\xe9\\x0alist\\\\v1.txt"},                     // no UTF-8
        {"tab\there \xff\xfe", "tab\\x09here \\xff\\xfe"},
    };
    const std::string trash = home + "/Library/.Trash/", rlo = "\xe2\x80\xae";
    QStringList chosen;              // the selection as the reports write it
    std::vector<std::string> onDisk; // and as it is on disk
    for (const auto& [name, escaped] : cases) {
        run.home().file("Library/.Trash/" + name, 5);
        chosen << q(trash + escaped);
        onDisk.push_back(trash + name);
    }
    run.home().file("Library/Developer/Xcode/iOS DeviceSupport/18.0 " + rlo + "ateb/dyld", 10);
    const auto text = cli("scan --items");
    EXPECT_EQ(text.exitCode, 0) << text.err;
    const auto json = cli("scan --json");
    ASSERT_EQ(json.exitCode, 0) << json.err;
    std::multiset<QString> urls, names;
    QStringList group;
    for (const auto& category : parseJson(json.out).value("categories").toArray()) {
        for (const auto& value : category.toObject().value("items").toArray()) {
            const auto item = value.toObject();
            urls.insert(item.value("url").toString());
            names.insert(item.value("name").toString());
            if (texts(item.value("suburls")).join(' ').contains(QStringLiteral("DeviceSupport"))) {
                group = texts(item.value("suburls"));
            }
        }
    }
    ASSERT_EQ(group.size(), 4) << json.out;

    const auto pathsOf = [](const QStringList& locations) { // "--path" before each
        return (QStringLiteral("--path\n") + locations.join(QStringLiteral("\n--path\n")))
            .split(QLatin1Char('\n'));
    };
    const auto before = describeTree(home);
    // One location, the escaped one, all but one, and one beside a whole category.
    for (const auto& paths : {pathsOf({group[1]}), pathsOf({group[3]}), pathsOf(group.mid(0, 3)),
                              args("--category RECYCLE_BIN") + pathsOf({group[0]})}) {
        SCOPED_TRACE(paths.join(QLatin1Char(' ')).toStdString());
        const auto result = cli("clean --yes", paths);
        EXPECT_EQ(result.exitCode, 2);
        EXPECT_EQ(result.out, "");
        const auto locations = "'" + group.join(QStringLiteral("', '")) + "'";
        EXPECT_NE(result.err.find(locations.toStdString()), std::string::npos) << result.err;
        EXPECT_EQ(result.err.find(rlo), std::string::npos);
        EXPECT_EQ(describeTree(home), before);
    }

    // The odd names and the whole group, one of its locations written with a slash.
    QStringList selection = pathsOf(chosen + group);
    selection.last() += QLatin1Char('/');
    chosen += group;
    for (auto location : group) {
        onDisk.push_back(location.replace(QStringLiteral("\\xe2\\x80\\xae"), q(rlo)).toStdString());
    }
    const auto dry = cli("clean", selection);
    EXPECT_EQ(dry.exitCode, 0) << dry.err;
    EXPECT_NE(dry.out.find(chosen.front().toStdString()), std::string::npos) << dry.out;
    EXPECT_EQ(describeTree(home), before);
    const auto clean = cli("clean --yes --json", selection);
    ASSERT_EQ(clean.exitCode, 0) << clean.err << clean.out;
    const QJsonObject report = parseJson(clean.out);
    EXPECT_TRUE(report.value("remaining").toArray().isEmpty());
    const QStringList deleted = texts(report.value("deleted"));
    EXPECT_TRUE(std::is_permutation(deleted.begin(), deleted.end(), chosen.begin(), chosen.end()))
        << clean.out;

    for (const auto& [name, escaped] : cases) {
        SCOPED_TRACE(escaped);
        for (const auto* out : {&text.out, &json.out, &dry.out, &clean.out}) {
            EXPECT_TRUE(name == escaped || out->find(name) == std::string::npos) << *out;
        }
        if (q(name).toStdString() == name) { // names that are text show as such, escaped
            EXPECT_NE(text.out.find("    " + escaped + " "), std::string::npos) << "item's name";
        }
        EXPECT_NE(text.out.find("        " + trash + escaped + "\n"), std::string::npos);
        EXPECT_EQ(urls.count(q(trash + escaped)), 1U);
        EXPECT_EQ(names.count(q(name)), 1U) << "JSON keeps the name itself, as \\u escapes";
    }
    auto expected = before;
    auto after = describeTree(home);
    // The journal of the cleaning is the one thing written besides.
    std::erase_if(after, [&](const std::string& line) {
        return line.starts_with("/.local") &&
               std::find(before.begin(), before.end(), line) == before.end();
    });
    std::erase_if(expected, [&](const std::string& line) {
        const std::string path = home + line.substr(0, line.find('|'));
        return std::any_of(onDisk.begin(), onDisk.end(), [&](const std::string& gone) {
            return path == gone || path.starts_with(gone + "/");
        });
    });
    EXPECT_EQ(after, expected) << "everything else is still there, unchanged";
}

// A location longer than the system takes as one path is still reached, one folder at a time,
// and the report says deleted only for what is really gone.
TEST_F(CliTest, ALocationLongerThanAPathIsCleanedAndReportedTruly) {
    std::string location = run.home().pathOf("Library/Mail");
    int folder = open(location.c_str(), O_RDONLY | O_DIRECTORY);
    ASSERT_GE(folder, 0);
    for (int level = 0; level <= 24; ++level) {
        const std::string name = level < 24 ? std::string(200, 'm') : "Attachments";
        ASSERT_EQ(mkdirat(folder, name.c_str(), 0755), 0);
        const int next = openat(folder, name.c_str(), O_RDONLY | O_DIRECTORY);
        close(folder);
        folder = next;
        location += "/" + name;
    }
    close(openat(folder, "report.pdf", O_CREAT | O_WRONLY, 0644));
    location += "/report.pdf";
    ASSERT_GT(location.size(), std::size_t{PATH_MAX});

    const auto clean = cli("clean --category MAIL_ATTACHMENTS --yes --json");
    const bool gone =
        faccessat(folder, "report.pdf", F_OK, AT_SYMLINK_NOFOLLOW) != 0 && errno == ENOENT;
    close(folder);
    EXPECT_TRUE(gone) << "reached one folder at a time, the location can be removed";
    const auto listed = texts(parseJson(clean.out).value(gone ? "deleted" : "remaining"));
    EXPECT_TRUE(listed.contains(q(location))) << clean.out;
    EXPECT_EQ(clean.exitCode, gone ? 0 : 1) << clean.err;
}

// Each line gives its status; a usage error says why in one line on standard error, and what
// succeeds shows the text on standard output.
// A kept folder three levels down in a cache: every way of selecting the cache leaves it with
// the folders on the way, and naming it is refused.
TEST_F(CliTest, KeptLocationsSurviveEveryWayOfSelectingThem) {
    const std::string cache = home + "/Library/Caches/com.docker.docker";
    const std::string kept = cache + "/a/b/kept";
    const auto layOut = [&] {
        run.home().file("Library/Caches/com.docker.docker/a/b/kept/model.bin", 4000);
        run.home().file("Library/Caches/com.docker.docker/a/b/junk", 30);
        run.home().file("Library/Caches/com.docker.docker/a/junk", 20);
    };
    layOut();
    ASSERT_EQ(cli("keep add ~/Library/Caches/com.docker.docker/a/*/kept").exitCode, 0);
    const auto list = parseJson(cli("keep list --json").out).value("entries").toArray();
    ASSERT_EQ(list.size(), 1);
    EXPECT_EQ(list[0].toObject().value("size").toInteger(), 4000);
    EXPECT_EQ(texts(list[0].toObject().value("locations")), QStringList{q(kept)});
    const auto refused = cli("clean --yes --path " + kept);
    EXPECT_EQ(refused.exitCode, 2);
    EXPECT_NE(refused.err.find("is kept by '~/Library/Caches/com.docker.docker/a/*/kept'"),
              std::string::npos)
        << refused.err;
    for (const std::string& selection : {"--path " + cache, std::string("--category USER_CACHE")}) {
        SCOPED_TRACE(selection);
        layOut();
        const auto cleaned = cli("clean --yes --json " + selection);
        EXPECT_EQ(cleaned.exitCode, 0) << cleaned.out << cleaned.err;
        EXPECT_TRUE(texts(parseJson(cleaned.out).value("keptBelow")).contains(q(cache)));
        EXPECT_TRUE(exists(kept + "/model.bin"));
        EXPECT_FALSE(exists(cache + "/a/junk") || exists(cache + "/a/b/junk"));
    }
    ASSERT_EQ(cli("keep remove ~/Library/Caches/com.docker.docker/a/*/kept").exitCode, 0);
    EXPECT_EQ(cli("clean --yes --path " + cache).exitCode, 0);
    EXPECT_FALSE(exists(cache));
}

TEST_F(CliTest, EveryInvocationGivesItsStatusAndMessage) {
    // A home given as a link could be pointed elsewhere while the cleaning runs.
    const std::string homeLink = home + "-link";
    ASSERT_EQ(symlink(home.c_str(), homeLink.c_str()), 0);
    const auto removeLink = qScopeGuard([&] { unlink(homeLink.c_str()); });
    // A home whose Library is only a link, with a cache in each of two base folders.
    other.file(".cache/from-home/x", 1);
    other.file("elsewhere/from-variable/x", 1);
    other.link("Library", other.pathOf("elsewhere"));
    const std::string xdg = "XDG_CACHE_HOME=%o/elsewhere scan --items --category XDG_CACHE";
    const std::vector<std::tuple<std::string, std::string, int>> cases{
        {"", "no command given", 2},
        {"sweep", "unknown command 'sweep'", 2},
        {"scan --fast", "unknown option '--fast'", 2},
        {"scan --category", "--category needs a value", 2},
        {"scan --category NOPE", "unknown category key 'NOPE'; valid keys: MAPS_CACHE, ", 2},
        {"clean --yes", "nothing selected", 2},
        {"clean --layout macos --category SAFARI --home %o", "nothing selected", 2},
        {"clean --category FACETIME_CACHE --path %h/Documents",
         "no item was found at '" + home + "/Documents'", 2},
        {"clean --path /x\\q41", "holds a backslash", 2},
        {"scan --yes", "--yes belongs to clean", 2},
        {"scan --home %h/Library", "must lie exactly two levels below /", 2},
        {"scan --layout macos --home /tmp", "must lie exactly two levels below / in the macOS", 2},
        {"scan --layout macos --home /tmp/no-such-home-x", "is not a folder", 2},
        {"scan --home /tmp/no-such-home-x", "cannot be scanned: the home folder does not exist", 2},
        {"scan --layout freedesktop --home %h-link", "the home folder is a symbolic link", 2},
        {"scan --layout freedesktop --home %h/.zsh_history", "the home folder is not a folder", 2},
        {"scan --layout windows", "unknown layout 'windows'; use macos or freedesktop", 2},
        {"scan --home %h-link", "is a symbolic link; give the folder itself", 2},
        {"scan --home %h/Library/..", "must not hold a '.' or '..' component", 2},
        {"clean --path %h/Library/../Library/.Trash/dangling", "holds a '.' or '..' component", 2},
        {"scan --root /no/such/root", "is not a folder", 2},
        {"scan extra", "unexpected argument 'extra'", 2},
        {"keep add .cache/x", "'.cache/x' is not an absolute location", 2},
        {"keep add ~/a/../b", "holds an empty, '.' or '..' component", 2},
        {"keep remove", "need at least one ENTRY", 2},
        {"keep remove ~/never-added", "is not in the keep list", 2},
        {"keep list ~/x", "unexpected argument '~/x'", 2},
        {"SORVANE_LAYOUT=mac\x1b[2J\xc2\x9b\xe2\x80\xaeos scan",
         "SORVANE_LAYOUT='mac\\x1b[2J\\xc2\\x9b\\xe2\\x80\\xaeos' names no layout", 2},
        // A Library that is a link makes no macOS home, an empty variable names no layout, and
        // --home ignores the XDG variable.
        {"SORVANE_LAYOUT= " + xdg + " --home %o", "/.cache/from-home\nTotal: 1 B\n", 0},
        {"HOME=%o " + xdg, "/elsewhere/from-variable\nTotal: 1 B\n", 0},
        {"SORVANE_LAYOUT=macos scan --home %o", "Layout: macos\n", 0},
        {"SORVANE_LAYOUT=macos " + xdg + " --layout freedesktop --home %o",
         "/.cache/from-home\nTotal: 1 B\n", 0},
        // Days are a plain whole number, and only searches take them.
        {"scan --older-than 0", "--older-than '0' is not a number of days", 2},
        {"clean --category SAFARI --older-than=7d", "'7d' is not a number of days", 2},
        {"scan --older-than 36501", "from 1 to 36500", 2},
        {"history --older-than 30", "--older-than belongs to scan, clean and schedule", 2},
    };
    for (const auto& [line, message, status] : cases) {
        SCOPED_TRACE(line);
        const auto result = cli(line);
        EXPECT_EQ(result.exitCode, status) << result.err;
        EXPECT_NE((status == 0 ? result.out : result.err).find(message), std::string::npos)
            << result.out << result.err;
        if (status != 0) {
            EXPECT_EQ(result.out, "");
        }
    }
    EXPECT_TRUE(exists(run.home().pathOf("Library/.Trash/Old Project"))) << "nothing was touched";

    // Counts and sizes follow the language of the names, and the columns line up however many
    // bytes a name's letters take.
    other.file(".local/share/Trash/files/a", 1536);
    const auto german = cli("LC_ALL=de_DE.UTF-8 scan --layout freedesktop --home %o");
    std::set<std::size_t> widths;
    std::istringstream lines(german.out);
    for (std::string line; std::getline(lines, line);) {
        if (line.find("_") != std::string::npos) {
            widths.insert(DisplayWidth::of(line));
        }
    }
    EXPECT_EQ(widths.size(), 1U) << german.out;
    for (const char* text : {"Papierkorb", "1 Element ", "1,5 KB", "0 Elemente"}) {
        EXPECT_NE(german.out.find(text), std::string::npos) << text;
    }
}

// Only what went unused for the days given is listed, measured and cleaned; the rest stays.
TEST(CliCleaningTest, OlderThanTakesOnlyTheOldPart) {
    const TempHome home;
    home.file(".cache/app/old", 300);
    home.file(".cache/app/young", 20);
    home.file(".cache/fresh/young", 4000);
    const timespec monthsAgo[2] = {{time(nullptr) - 90L * 86400, 0},
                                   {time(nullptr) - 90L * 86400, 0}};
    ASSERT_EQ(utimensat(AT_FDCWD, home.pathOf(".cache/app/old").c_str(), monthsAgo, 0), 0);
    const auto cli = [&](const std::string& line) {
        return run(QStringLiteral(SORVANE_CLI),
                   args("--layout freedesktop --home " + home.path() + " " + line));
    };
    const auto scanned = [&] {
        const auto scan = cli("scan --json --category XDG_CACHE --older-than 30");
        const QJsonObject report = parseJson(scan.out);
        EXPECT_EQ(report["olderThanDays"].toInteger(), 30);
        return report["categories"][0].toObject();
    };
    EXPECT_EQ(scanned()["size"].toInteger(), 300);
    EXPECT_EQ(scanned()["items"].toArray().size(), 1);
    const auto cleaned = cli("clean --yes --category XDG_CACHE --older-than 30");
    EXPECT_EQ(cleaned.exitCode, 0) << cleaned.out << cleaned.err;
    EXPECT_NE(cleaned.out.find("Old part deleted, the rest left: 1 location"), std::string::npos)
        << cleaned.out;
    EXPECT_FALSE(exists(home.pathOf(".cache/app/old")));
    EXPECT_TRUE(exists(home.pathOf(".cache/app/young")));
    EXPECT_TRUE(scanned()["items"].toArray().isEmpty()) << "only young files are left";
}

// Go's module cache, read-only folders and files, goes whole when its own user cleans it.
TEST(CliCleaningTest, TheUsersReadOnlyFoldersGoWhole) {
    const TempHome home;
    const std::string cache = home.goModuleCache(".cache/go");
    home.folder("root");
    if (runningAsRoot()) {
        home.chownAll(unprivilegedUid(), unprivilegedGid());
    }
    static const ProgramCopy cli(QStringLiteral(SORVANE_CLI));
    const auto cleaned =
        runUnprivileged(cli.path(), args("--layout freedesktop --home " + home.path() + " --root " +
                                         home.pathOf("root") + " clean --yes --path " + cache));
    EXPECT_EQ(cleaned.exitCode, 0) << cleaned.out << cleaned.err;
    EXPECT_FALSE(exists(cache));
}

// Every folder a category reads, and each folder above it, is in turn replaced by a link to
// its own contents moved elsewhere, every other one outside the home (an absolute link) and
// the rest to a folder of the home no category reads (a relative link that stays below the
// anchor, which only refusing every link stops): the search reports nothing reached through
// the link and cleaning every category leaves all of the moved contents in place.
TEST(ContainmentTest, NoCategoryReachesThroughALinkAtAnyLevel) {
    const SampleHomeRun sample(7, 150);
    ASSERT_EQ(sample.generated().exitCode, 0);
    std::map<std::string, std::set<std::string>> keysByFolder;
    for (const auto& [key, folders] : categoryReads(sample)) {
        for (const auto& folder : folders) {
            // The folder and every folder above it, up to (not including) its anchor.
            for (fs::path level = folder; !level.empty() && level != "Applications";
                 level = level.parent_path()) {
                keysByFolder[level.string()].insert(key);
            }
        }
    }
    ASSERT_GE(keysByFolder.size(), 40U);
    std::size_t row = 0;
    for (const auto& [folder, keys] : keysByFolder) {
        const bool inRoot = folder.starts_with("Applications/");
        // Anything below the applications folder is an application's to hold.
        const bool inside = ++row % 2 == 1 && !inRoot;
        SCOPED_TRACE(folder + (inside ? " (moved inside the anchor)" : " (moved outside)"));
        const SampleHomeRun fresh(7, 150);
        ASSERT_EQ(fresh.generated().exitCode, 0);
        const std::string linked = (inRoot ? fresh.root() : fresh.home().path()) + "/" + folder;
        ASSERT_TRUE(fs::is_directory(linked));
        const test::OutsideFolder outside;
        const std::string victim = inside ? fresh.home().pathOf("Kept") : outside.path();
        const std::string moved = victim + "/moved";
        fs::create_directories(victim);
        fs::rename(linked, moved);
        fs::create_directory_symlink(
            inside ? fs::relative(moved, fs::path(linked).parent_path()) : fs::path(moved), linked);
        QStringList categories;
        for (const auto& key : keys) {
            categories << QStringLiteral("--category") << q(key);
        }
        const auto out = scanAndClean(fresh, categories, victim);
        EXPECT_EQ(out.find(linked + "/"), std::string::npos) << out;
    }
}
