#include "engine/DiskCleaner.h"
#include "engine/PredefinedCategories.h"
#include "finders/CategoryFinder.h"
#include "support/BundleFixture.h"
#include "tools/SampleHomeRun.h"

#include <QFile>
#include <QJsonArray>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cerrno>
#include <climits>
#include <fcntl.h>
#include <set>
#include <sys/stat.h>
#include <unistd.h>

using namespace sorvane;
using test::SampleHomeRun;

namespace {

int lineCount(const std::string& text) {
    return static_cast<int>(std::count(text.begin(), text.end(), '\n'));
}

// Waits for the engine's reports on the test's own event loop.
class SearchWaiter final : public DiskCleanerDelegate {
public:
    bool finished = false;
    void cleanerDidStartSearch() override {}
    void cleanerDidFinishSearch() override { finished = true; }
    void cleanerDidUpdateSelectedSize(std::uint64_t /*size*/) override {}
    void cleanerWillSearchCategory(const std::shared_ptr<CleanerResult>& /*result*/) override {}
    void cleanerDidUpdateProgress(float /*progress*/) override {}
    void cleanerDidStartCleaning() override {}
    void cleanerDidFinishCleaning() override {}
};

std::set<std::string> locationsIn(const QJsonArray& items) {
    std::set<std::string> locations;
    for (const auto& item : items) {
        const auto object = item.toObject();
        if (!object.value("url").isNull()) {
            locations.insert(object.value("url").toString().toStdString());
        }
        for (const auto& suburl : object.value("suburls").toArray()) {
            locations.insert(suburl.toString().toStdString());
        }
    }
    return locations;
}

QString q(const std::string& text) {
    return QString::fromStdString(text);
}

} // namespace

TEST(CliTest, JsonOfAGeneratedHomeMatchesWhatTheFindersReport) {
    const SampleHomeRun run;
    ASSERT_EQ(run.generated().exitCode, 0) << run.generated().err;
    const auto scan = test::runCli(run, {QStringLiteral("scan"), QStringLiteral("--json")});
    ASSERT_EQ(scan.exitCode, 0) << scan.err;
    const QJsonObject report = test::parseJson(scan.out);
    EXPECT_EQ(report.value("home").toString().toStdString(), run.home().path());

    const test::ScopedSystemRoot root(run.root());
    const CategoryList categories = predefinedCategories();
    const auto cleaner = DiskCleaner::create(categories);
    const auto waiter = std::make_shared<SearchWaiter>();
    cleaner->setDelegate(waiter);
    cleaner->startSearch();
    ASSERT_TRUE(test::waitUntil([&] { return waiter->finished; }, 60000));

    const QJsonArray reported = report.value("categories").toArray();
    ASSERT_EQ(reported.size(), static_cast<qsizetype>(categories.size()));
    std::uint64_t total = 0;
    for (std::size_t i = 0; i < categories.size(); ++i) {
        const auto object = reported[static_cast<qsizetype>(i)].toObject();
        const auto& finder = dynamic_cast<const CategoryFinder&>(*categories[i]);
        const auto result = finder.result();
        SCOPED_TRACE(finder.nameKey());
        EXPECT_EQ(object.value("key").toString().toStdString(), finder.nameKey());
        EXPECT_EQ(object.value("name").toString(), result->name());
        EXPECT_EQ(object.value("bundleIdentifier").toString(),
                  finder.bundleIdentifier().value_or(QString()));
        EXPECT_EQ(object.value("bundleIdentifier").isNull(), !finder.bundleIdentifier());
        const QJsonArray items = object.value("items").toArray();
        ASSERT_EQ(items.size(), static_cast<qsizetype>(result->items().size()));
        std::uint64_t categorySize = 0;
        for (std::size_t j = 0; j < result->items().size(); ++j) {
            const auto& item = *result->items()[j];
            const auto json = items[static_cast<qsizetype>(j)].toObject();
            EXPECT_EQ(json.value("name").toString(), item.name());
            EXPECT_EQ(json.value("url").toString().toStdString(),
                      item.url() ? item.url()->path() : std::string());
            EXPECT_EQ(json.value("suburls").toArray().size(),
                      static_cast<qsizetype>(item.suburls().size()));
            EXPECT_EQ(static_cast<std::uint64_t>(json.value("size").toInteger()), item.size());
            categorySize += item.size();
        }
        EXPECT_EQ(static_cast<std::uint64_t>(object.value("size").toInteger()), categorySize);
        total += categorySize;
    }
    EXPECT_EQ(static_cast<std::uint64_t>(report.value("totalSize").toInteger()), total);
    EXPECT_GT(total, 0U);
}

TEST(CliTest, CleanWithoutYesDeletesNothing) {
    const SampleHomeRun run;
    ASSERT_EQ(run.generated().exitCode, 0) << run.generated().err;
    const auto before = test::describeTree(run.home().path());
    const auto dry = test::runCli(run, {QStringLiteral("clean"), QStringLiteral("--category"),
                                        QStringLiteral("USER_CACHE"), QStringLiteral("--category"),
                                        QStringLiteral("RECYCLE_BIN")});
    EXPECT_EQ(dry.exitCode, 0) << dry.err;
    EXPECT_NE(dry.out.find("nothing is deleted without --yes"), std::string::npos) << dry.out;
    EXPECT_NE(dry.out.find(run.home().pathOf("Library/Caches/org.sample.Editor")),
              std::string::npos);
    EXPECT_EQ(test::describeTree(run.home().path()), before);
}

TEST(CliTest, CleanWithYesDeletesExactlyTheSelection) {
    const SampleHomeRun run;
    ASSERT_EQ(run.generated().exitCode, 0) << run.generated().err;
    const auto scan = test::runCli(run, {QStringLiteral("scan"), QStringLiteral("--json")});
    ASSERT_EQ(scan.exitCode, 0) << scan.err;
    std::set<std::string> selected;
    QStringList groupPaths;
    for (const auto& category : test::parseJson(scan.out).value("categories").toArray()) {
        const auto object = category.toObject();
        if (object.value("key") == QStringLiteral("RECYCLE_BIN")) {
            selected = locationsIn(object.value("items").toArray());
        }
        if (object.value("key") == QStringLiteral("XCODE_CACHE")) {
            // A group item, selected through all of its locations, one written with a slash.
            const auto group = object.value("items").toArray().first().toObject();
            for (const auto& suburl : group.value("suburls").toArray()) {
                selected.insert(suburl.toString().toStdString());
                groupPaths << QStringLiteral("--path") << suburl.toString();
            }
            groupPaths.last() += QLatin1Char('/');
        }
    }
    ASSERT_GE(groupPaths.size(), 4);
    ASSERT_GE(selected.size(), 4U);

    const auto before = test::describeTree(run.home().path());
    const auto clean =
        test::runCli(run, QStringList{QStringLiteral("clean"), QStringLiteral("--category"),
                                      QStringLiteral("RECYCLE_BIN"), QStringLiteral("--yes"),
                                      QStringLiteral("--json")} +
                              groupPaths);
    ASSERT_EQ(clean.exitCode, 0) << clean.err << clean.out;
    const QJsonObject report = test::parseJson(clean.out);
    EXPECT_TRUE(report.value("cleaned").toBool());
    EXPECT_TRUE(report.value("remaining").toArray().isEmpty());
    std::set<std::string> deleted;
    for (const auto& path : report.value("deleted").toArray()) {
        deleted.insert(path.toString().toStdString());
    }
    EXPECT_EQ(deleted, selected);

    // Everything else is still there, unchanged.
    const std::string home = run.home().path();
    std::vector<std::string> expected;
    for (const auto& line : before) {
        const std::string path = home + line.substr(0, line.find('|'));
        const bool inside = std::any_of(selected.begin(), selected.end(), [&](const auto& gone) {
            return path == gone || path.starts_with(gone + "/");
        });
        if (!inside) {
            expected.push_back(line);
        }
    }
    EXPECT_LT(expected.size(), before.size());
    EXPECT_EQ(test::describeTree(home), expected);
}

TEST(CliTest, LocationsThatAreNotTextRoundTripThroughBothReports) {
    const SampleHomeRun run;
    ASSERT_EQ(run.generated().exitCode, 0) << run.generated().err;
    const std::string odd = run.home().file("Library/.Trash/caf\xe9\nlist\\v1.txt", 12);
    const std::string tabbed = run.home().file("Library/.Trash/tab\there \xff\xfe", 3);

    const auto text =
        test::runCli(run, {QStringLiteral("scan"), QStringLiteral("--items"),
                           QStringLiteral("--category"), QStringLiteral("RECYCLE_BIN")});
    ASSERT_EQ(text.exitCode, 0) << text.err;
    const std::string escaped = run.home().path() + "/Library/.Trash/caf\\xe9\\x0alist\\\\v1.txt";
    ASSERT_NE(text.out.find("        " + escaped + "\n"), std::string::npos) << text.out;

    const auto json =
        test::runCli(run, {QStringLiteral("scan"), QStringLiteral("--json"),
                           QStringLiteral("--category"), QStringLiteral("RECYCLE_BIN")});
    ASSERT_EQ(json.exitCode, 0) << json.err;
    const auto items = test::parseJson(json.out)
                           .value("categories")
                           .toArray()[0]
                           .toObject()
                           .value("items")
                           .toArray();
    std::string fromJson;
    for (const auto& location : locationsIn(items)) {
        if (location.find("tab") != std::string::npos) {
            fromJson = location;
        }
    }
    EXPECT_EQ(fromJson, run.home().path() + "/Library/.Trash/tab\\x09here \\xff\\xfe");

    const auto clean =
        test::runCli(run, {QStringLiteral("clean"), QStringLiteral("--path"), q(escaped),
                           QStringLiteral("--path"), q(fromJson), QStringLiteral("--yes")});
    EXPECT_EQ(clean.exitCode, 0) << clean.err << clean.out;
    EXPECT_FALSE(test::exists(odd));
    EXPECT_FALSE(test::exists(tabbed));
    EXPECT_TRUE(test::exists(run.home().pathOf("Library/.Trash/Old Project")));
}

TEST(CliTest, LocationsThatStayGiveExitStatusOne) {
    const SampleHomeRun run;
    ASSERT_EQ(run.generated().exitCode, 0) << run.generated().err;
    run.home().file("Library/.Trash/kept/inner/file", 10);
    if (test::runningAsRoot()) {
        run.home().chownAll(test::unprivilegedUid(), test::unprivilegedGid());
    }
    run.home().setMode("Library/.Trash/kept/inner", 0555);
    // A copy that every user may run, wherever the build tree lies.
    QTemporaryDir folder(QStringLiteral("/tmp/sorvane-cli-XXXXXX"));
    QFile::setPermissions(folder.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner |
                                             QFile::ReadOther | QFile::ExeOther);
    const QString cli = folder.path() + QStringLiteral("/sorvane-cli");
    ASSERT_TRUE(QFile::copy(QStringLiteral(SORVANE_CLI), cli));
    QFile::setPermissions(cli,
                          QFile::ReadOwner | QFile::ExeOwner | QFile::ReadOther | QFile::ExeOther);

    const auto clean = test::runUnprivileged(
        cli, {QStringLiteral("clean"), QStringLiteral("--category"), QStringLiteral("RECYCLE_BIN"),
              QStringLiteral("--yes"), QStringLiteral("--json"), QStringLiteral("--home"),
              q(run.home().path()), QStringLiteral("--root"), q(run.root())});
    EXPECT_EQ(clean.exitCode, 1) << clean.err;
    // The removal's own failure line went to standard error; the report is still JSON.
    EXPECT_NE(clean.err.find("Permission denied"), std::string::npos) << clean.err;
    const auto report = test::parseJson(clean.out);
    const auto remaining = report.value("remaining").toArray();
    ASSERT_EQ(remaining.size(), 1);
    EXPECT_EQ(remaining[0].toString().toStdString(), run.home().pathOf("Library/.Trash/kept"));
    EXPECT_FALSE(test::exists(run.home().pathOf("Library/.Trash/Old Project")));
    EXPECT_TRUE(test::exists(run.home().pathOf("Library/.Trash/kept/inner/file")));
}

TEST(CliTest, EveryUsageErrorGivesStatusTwoAndOneLine) {
    const SampleHomeRun run;
    ASSERT_EQ(run.generated().exitCode, 0) << run.generated().err;
    const std::string home = run.home().path();
    // A home given as a link could be pointed elsewhere while the cleaning runs.
    const std::string homeLink = home + "-link";
    ASSERT_EQ(symlink(home.c_str(), homeLink.c_str()), 0);
    const std::vector<std::pair<QStringList, std::string>> cases{
        {{}, "no command given"},
        {{QStringLiteral("sweep")}, "unknown command 'sweep'"},
        {{QStringLiteral("scan"), QStringLiteral("--fast")}, "unknown option '--fast'"},
        {{QStringLiteral("scan"), QStringLiteral("--category")}, "--category needs a value"},
        {{QStringLiteral("scan"), QStringLiteral("--category"), QStringLiteral("NOPE")},
         "unknown category key 'NOPE'; valid keys: MAPS_CACHE, "},
        {{QStringLiteral("clean"), QStringLiteral("--category"), QStringLiteral("NOPE")},
         "unknown category key 'NOPE'"},
        {{QStringLiteral("clean")}, "nothing selected"},
        {{QStringLiteral("clean"), QStringLiteral("--yes")}, "nothing selected"},
        {{QStringLiteral("clean"), QStringLiteral("--category"), QStringLiteral("FACETIME_CACHE"),
          QStringLiteral("--path"), q(home + "/Documents")},
         "no item was found at '" + home + "/Documents'"},
        {{QStringLiteral("clean"), QStringLiteral("--path"), QStringLiteral("/x\\q")},
         "holds a backslash"},
        {{QStringLiteral("scan"), QStringLiteral("--yes")}, "--yes belongs to clean"},
        {{QStringLiteral("scan"), QStringLiteral("--path"), QStringLiteral("/tmp")},
         "--path belongs to clean"},
        {{QStringLiteral("clean"), QStringLiteral("--items"), QStringLiteral("--category"),
          QStringLiteral("SAFARI")},
         "--items belongs to scan"},
        {{QStringLiteral("scan"), QStringLiteral("--home"), q(home + "/Library")},
         "must lie exactly two levels below /"},
        {{QStringLiteral("scan"), QStringLiteral("--layout"), QStringLiteral("macos"),
          QStringLiteral("--home"), QStringLiteral("/tmp")},
         "must lie exactly two levels below / in the macOS layout"},
        {{QStringLiteral("scan"), QStringLiteral("--layout"), QStringLiteral("macos"),
          QStringLiteral("--home"), QStringLiteral("/tmp/no-such-home-x")},
         "is not a folder"},
        {{QStringLiteral("scan"), QStringLiteral("--home"), QStringLiteral("/tmp/no-such-home-x")},
         "cannot be scanned: the home folder does not exist"},
        {{QStringLiteral("scan"), QStringLiteral("--layout"), QStringLiteral("freedesktop"),
          QStringLiteral("--home"), q(homeLink)},
         "cannot be scanned: the home folder is a symbolic link"},
        {{QStringLiteral("scan"), QStringLiteral("--layout"), QStringLiteral("freedesktop"),
          QStringLiteral("--home"), q(home + "/.zsh_history")},
         "cannot be scanned: the home folder is not a folder"},
        {{QStringLiteral("scan"), QStringLiteral("--layout"), QStringLiteral("windows")},
         "unknown layout 'windows'; use macos or freedesktop"},
        {{QStringLiteral("scan"), QStringLiteral("--layout")}, "--layout needs a value"},
        {{QStringLiteral("scan"), QStringLiteral("--home"), q(homeLink)},
         "is a symbolic link; give the folder itself"},
        {{QStringLiteral("scan"), QStringLiteral("--home"), q(home + "/Library/..")},
         "must not hold a '.' or '..' component"},
        {{QStringLiteral("clean"), QStringLiteral("--path"),
          q(home + "/Library/../Library/.Trash/Old Project")},
         "holds a '.' or '..' component"},
        {{QStringLiteral("scan"), QStringLiteral("--root"), QStringLiteral("/no/such/root")},
         "is not a folder"},
        {{QStringLiteral("scan"), QStringLiteral("extra")}, "unexpected argument 'extra'"},
        {{QStringLiteral("scan"), QStringLiteral("--json=yes")}, "--json takes no value"},
    };
    for (const auto& [arguments, message] : cases) {
        SCOPED_TRACE(arguments.join(QLatin1Char(' ')).toStdString());
        // The home and root go first, so that an option left without its value stays last.
        QStringList full;
        if (!arguments.isEmpty() && !arguments.contains(QStringLiteral("--home"))) {
            full << QStringLiteral("--home") << q(home);
        }
        if (!arguments.isEmpty() && !arguments.contains(QStringLiteral("--root"))) {
            full << QStringLiteral("--root") << q(run.root());
        }
        full += arguments;
        const auto result = test::run(QStringLiteral(SORVANE_CLI), full);
        EXPECT_EQ(result.exitCode, 2);
        EXPECT_EQ(lineCount(result.err), 1) << result.err;
        EXPECT_TRUE(result.err.starts_with("sorvane-cli: ")) << result.err;
        EXPECT_NE(result.err.find(message), std::string::npos) << result.err;
        EXPECT_EQ(result.out, "");
    }
    // Nothing was touched by any of them.
    EXPECT_TRUE(test::exists(run.home().pathOf("Library/.Trash/Old Project")));
    unlink(homeLink.c_str());
}

// A location longer than the system takes as one path is still reached, one folder at a time,
// and the report says deleted only for what is really gone.
TEST(CliTest, ALocationLongerThanAPathIsCleanedAndReportedTruly) {
    const SampleHomeRun run;
    ASSERT_EQ(run.generated().exitCode, 0) << run.generated().err;
    int folder = open(run.home().pathOf("Library/Mail").c_str(), O_RDONLY | O_DIRECTORY);
    ASSERT_GE(folder, 0);
    const std::string name(200, 'm');
    std::string relative = "Library/Mail";
    for (int level = 0; level < 24; ++level) {
        ASSERT_EQ(mkdirat(folder, name.c_str(), 0755), 0);
        const int next = openat(folder, name.c_str(), O_RDONLY | O_DIRECTORY);
        close(folder);
        folder = next;
        relative += "/" + name;
    }
    ASSERT_EQ(mkdirat(folder, "Attachments", 0755), 0);
    const int attachments = openat(folder, "Attachments", O_RDONLY | O_DIRECTORY);
    close(openat(attachments, "report.pdf", O_CREAT | O_WRONLY, 0644));
    close(folder);
    const std::string location = run.home().pathOf(relative + "/Attachments/report.pdf");
    ASSERT_GT(location.size(), std::size_t{PATH_MAX});

    const auto clean = test::runCli(run, {QStringLiteral("clean"), QStringLiteral("--category"),
                                          QStringLiteral("MAIL_ATTACHMENTS"),
                                          QStringLiteral("--yes"), QStringLiteral("--json")});
    const auto report = test::parseJson(clean.out);
    const bool gone =
        faccessat(attachments, "report.pdf", F_OK, AT_SYMLINK_NOFOLLOW) != 0 && errno == ENOENT;
    close(attachments);
    EXPECT_TRUE(gone) << "reached one folder at a time, the location can be removed";
    const auto listed = report.value(gone ? "deleted" : "remaining").toArray();
    EXPECT_TRUE(listed.contains(q(location))) << clean.out;
    EXPECT_EQ(clean.exitCode, gone ? 0 : 1) << clean.err;
}

TEST(CliTest, EmptySelectionAndHelpAndVersion) {
    test::TempHome home;
    QTemporaryDir root;
    const auto empty =
        test::run(QStringLiteral(SORVANE_CLI),
                  {QStringLiteral("clean"), QStringLiteral("--layout"), QStringLiteral("macos"),
                   QStringLiteral("--category"), QStringLiteral("SAFARI"), QStringLiteral("--home"),
                   q(home.path()), QStringLiteral("--root"), root.path()});
    EXPECT_EQ(empty.exitCode, 2);
    EXPECT_EQ(lineCount(empty.err), 1) << empty.err;
    EXPECT_NE(empty.err.find("nothing selected"), std::string::npos);

    const auto help = test::run(QStringLiteral(SORVANE_CLI), {QStringLiteral("--help")});
    EXPECT_EQ(help.exitCode, 0);
    EXPECT_NE(help.out.find("\\xHH"), std::string::npos);
    const auto version = test::run(QStringLiteral(SORVANE_CLI), {QStringLiteral("--version")});
    EXPECT_EQ(version.exitCode, 0);
    EXPECT_TRUE(version.out.starts_with("sorvane-cli ")) << version.out;
}

TEST(CliTest, CharactersThatDriveTerminalsAreEscapedAndRoundTrip) {
    const SampleHomeRun run;
    ASSERT_EQ(run.generated().exitCode, 0) << run.generated().err;
    // The name in the trash, and how both reports write it.
    const std::vector<std::pair<std::string, std::string>> cases{
        {"next\xc2\x85line", "next\\xc2\\x85line"}, // C1 NEL
        {"csi\xc2\x9b"
         "31m",
         "csi\\xc2\\x9b31m"},          // C1 CSI
        {"rubout\x7f", "rubout\\x7f"}, // DEL
        {"gpj.\xe2\x80\xae"
         "exe",
         "gpj.\\xe2\\x80\\xaeexe"},                    // right-to-left override
        {"embed\xe2\x80\xaa", "embed\\xe2\\x80\\xaa"}, // left-to-right embedding
        {"isolate\xe2\x81\xa6x\xe2\x81\xa9", "isolate\\xe2\\x81\\xa6x\\xe2\\x81\\xa9"},
        {"colour\x1b[31m", "colour\\x1b[31m"},                                        // C0 ESC
        {"na\xc3\xafve \xe2\x80\x94 \xc2\xa0", "na\xc3\xafve \xe2\x80\x94 \xc2\xa0"}, // plain text
    };
    for (const auto& [name, escaped] : cases) {
        run.home().file("Library/.Trash/" + name, 5);
    }
    const std::string trash = run.home().path() + "/Library/.Trash/";
    const std::vector<std::string> raw{"\xc2\x85",     "\xc2\x9b",     "\x7f", "\xe2\x80\xae",
                                       "\xe2\x80\xaa", "\xe2\x81\xa6", "\x1b"};

    const auto text =
        test::runCli(run, {QStringLiteral("scan"), QStringLiteral("--items"),
                           QStringLiteral("--category"), QStringLiteral("RECYCLE_BIN")});
    ASSERT_EQ(text.exitCode, 0) << text.err;
    const auto json =
        test::runCli(run, {QStringLiteral("scan"), QStringLiteral("--json"),
                           QStringLiteral("--category"), QStringLiteral("RECYCLE_BIN")});
    ASSERT_EQ(json.exitCode, 0) << json.err;
    for (const auto& control : raw) {
        EXPECT_EQ(text.out.find(control), std::string::npos) << test::describeTree(trash).size();
        EXPECT_EQ(json.out.find(control), std::string::npos);
    }
    const auto items = test::parseJson(json.out)
                           .value("categories")
                           .toArray()[0]
                           .toObject()
                           .value("items")
                           .toArray();
    const std::set<std::string> fromJson = locationsIn(items);
    std::set<std::string> names;
    for (const auto& item : items) {
        names.insert(item.toObject().value("name").toString().toStdString());
    }
    QStringList clean{QStringLiteral("clean"), QStringLiteral("--yes")};
    for (const auto& [name, escaped] : cases) {
        SCOPED_TRACE(escaped);
        EXPECT_NE(text.out.find("    " + escaped + " "), std::string::npos) << "the item's name";
        EXPECT_NE(text.out.find("        " + trash + escaped + "\n"), std::string::npos);
        EXPECT_EQ(fromJson.count(trash + escaped), 1U);
        EXPECT_EQ(names.count(name), 1U) << "JSON keeps the name itself, as \\u escapes";
        clean << QStringLiteral("--path") << q(trash + escaped);
    }
    const auto cleaned = test::runCli(run, clean);
    EXPECT_EQ(cleaned.exitCode, 0) << cleaned.err;
    for (const auto& control : raw) {
        EXPECT_EQ(cleaned.out.find(control), std::string::npos);
    }
    for (const auto& [name, escaped] : cases) {
        EXPECT_FALSE(test::exists(trash + name)) << escaped;
    }
    EXPECT_TRUE(test::exists(run.home().pathOf("Library/.Trash/Old Project")));
}

TEST(CliTest, AGroupIsOnlyCleanedWhole) {
    const SampleHomeRun run;
    ASSERT_EQ(run.generated().exitCode, 0) << run.generated().err;
    run.home().file("Library/Developer/Xcode/iOS DeviceSupport/18.0 \xe2\x80\xae"
                    "ateb/dyld",
                    10);
    const auto scan = test::runCli(run, {QStringLiteral("scan"), QStringLiteral("--json")});
    ASSERT_EQ(scan.exitCode, 0) << scan.err;
    QString groupName;
    QStringList locations;
    for (const auto& category : test::parseJson(scan.out).value("categories").toArray()) {
        for (const auto& item : category.toObject().value("items").toArray()) {
            const auto suburls = item.toObject().value("suburls").toArray();
            if (!suburls.isEmpty() &&
                suburls[0].toString().contains(QStringLiteral("DeviceSupport"))) {
                groupName = item.toObject().value("name").toString();
                for (const auto& suburl : suburls) {
                    locations << suburl.toString();
                }
            }
        }
    }
    ASSERT_EQ(locations.size(), 4) << scan.out;
    const auto pathsOf = [](const QStringList& chosen) {
        QStringList arguments;
        for (const auto& location : chosen) {
            arguments << QStringLiteral("--path") << location;
        }
        return arguments;
    };
    const auto before = test::describeTree(run.home().path());
    const std::vector<std::pair<const char*, QStringList>> refused{
        {"one location", {locations[1]}},
        {"the escaped one", {locations[3]}},
        {"all but one", locations.mid(0, 3)},
        {"one, with a whole other category", {QStringLiteral("RECYCLE_BIN"), locations[0]}},
    };
    for (const auto& [name, chosen] : refused) {
        SCOPED_TRACE(name);
        QStringList arguments{QStringLiteral("clean"), QStringLiteral("--yes")};
        if (chosen.first() == QStringLiteral("RECYCLE_BIN")) {
            arguments << QStringLiteral("--category") << chosen.first() << QStringLiteral("--path")
                      << chosen.last();
        } else {
            arguments += pathsOf(chosen);
        }
        const auto result = test::runCli(run, arguments);
        EXPECT_EQ(result.exitCode, 2);
        EXPECT_EQ(result.out, "");
        EXPECT_EQ(lineCount(result.err), 1) << result.err;
        EXPECT_NE(result.err.find("'" + groupName.toStdString() + "'"), std::string::npos)
            << result.err;
        for (const auto& location : locations) {
            EXPECT_NE(result.err.find("'" + location.toStdString() + "'"), std::string::npos)
                << result.err;
        }
        EXPECT_EQ(result.err.find("\xe2\x80\xae"), std::string::npos);
        EXPECT_EQ(test::describeTree(run.home().path()), before);
    }
    const auto whole = test::runCli(
        run, QStringList{QStringLiteral("clean"), QStringLiteral("--yes")} + pathsOf(locations));
    EXPECT_EQ(whole.exitCode, 0) << whole.err;
    EXPECT_FALSE(
        test::exists(run.home().pathOf("Library/Developer/Xcode/iOS DeviceSupport/16.7 (20H19)")));
    EXPECT_TRUE(test::exists(run.home().pathOf("Library/.Trash/Old Project")));
}
