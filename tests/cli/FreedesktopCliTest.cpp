#include "support/Processes.h"
#include "support/TempHome.h"
#include "tools/SampleHomeRun.h"

#include <QJsonArray>

#include <filesystem>
#include <gtest/gtest.h>

using namespace sorvane;
using test::SampleHomeRun;
using Lines = std::vector<std::string>;

namespace {

QString q(const std::string& text) {
    return QString::fromStdString(text);
}

const Lines freedesktopKeys{
    "XDG_CACHE",        "THUMBNAILS",     "FREEDESKTOP_TRASH", "FIREFOX_CACHE", "THUNDERBIRD_CACHE",
    "CHROME_CACHE",     "CHROMIUM_CACHE", "BRAVE_CACHE",       "EDGE_CACHE",    "VIVALDI_CACHE",
    "VSCODE_CACHE",     "SLACK_CACHE",    "DISCORD_CACHE",     "SIGNAL_CACHE",  "SPOTIFY_CACHE",
    "DEVELOPER_CACHES", "OLD_VERSIONS",   "CRASH_REPORTS"};

// Runs the CLI with extra environment variables, as a shell would.
test::ProcessResult runWithEnvironment(const QStringList& environment, QStringList arguments) {
    return test::run(QStringLiteral("env"),
                     environment + QStringList{QStringLiteral(SORVANE_CLI)} + arguments);
}

Lines keysOf(const QJsonObject& report) {
    Lines keys;
    for (const auto& category : report.value("categories").toArray()) {
        keys.push_back(category.toObject().value("key").toString().toStdString());
    }
    return keys;
}

} // namespace

TEST(FreedesktopCliTest, ScanOfASampleHomeFindsEveryCategoryInOrderAndEachLocationOnce) {
    const SampleHomeRun run(3, 600, QStringLiteral("freedesktop"));
    ASSERT_EQ(run.generated().exitCode, 0) << run.generated().err;
    const auto scan = test::runCli(run, {QStringLiteral("scan"), QStringLiteral("--json")});
    ASSERT_EQ(scan.exitCode, 0) << scan.err;
    const QJsonObject report = test::parseJson(scan.out);
    EXPECT_EQ(report.value("layout").toString(), QStringLiteral("freedesktop"));
    EXPECT_EQ(report.value("home").toString().toStdString(), run.home().path());
    EXPECT_EQ(keysOf(report), freedesktopKeys);
    Lines locations;
    for (const auto& category : report.value("categories").toArray()) {
        const auto items = category.toObject().value("items").toArray();
        EXPECT_FALSE(items.isEmpty()) << category.toObject().value("key").toString().toStdString();
        for (const auto& item : items) {
            const QJsonObject object = item.toObject();
            if (object.value("url").isString()) {
                locations.push_back(object.value("url").toString().toStdString());
            }
            for (const auto& suburl : object.value("suburls").toArray()) {
                locations.push_back(suburl.toString().toStdString());
            }
        }
    }
    std::sort(locations.begin(), locations.end());
    for (std::size_t i = 1; i < locations.size(); ++i) {
        EXPECT_FALSE(locations[i] == locations[i - 1] ||
                     locations[i].starts_with(locations[i - 1] + "/"))
            << locations[i - 1] << " and " << locations[i];
    }
    const auto text = test::runCli(run, {QStringLiteral("scan")});
    EXPECT_TRUE(text.out.starts_with("Layout: freedesktop\nHome: " + run.home().path() + "\n"))
        << text.out;

    // Cleaning the trash takes every record along, those without files too.
    const auto clean =
        test::runCli(run, {QStringLiteral("clean"), QStringLiteral("--category"),
                           QStringLiteral("FREEDESKTOP_TRASH"), QStringLiteral("--yes")});
    EXPECT_EQ(clean.exitCode, 0) << clean.err;
    EXPECT_TRUE(clean.out.starts_with("Layout: freedesktop\n")) << clean.out;
    for (const char* folder : {".local/share/Trash/files", ".local/share/Trash/info"}) {
        EXPECT_TRUE(std::filesystem::is_empty(run.home().pathOf(folder))) << folder;
    }
}

TEST(FreedesktopCliTest, WhichLayoutAndWhichBaseFolders) {
    test::TempHome home;
    home.file(".cache/from-home/x", 1);
    home.file("elsewhere/from-variable/x", 1);
    const QString variable = q("XDG_CACHE_HOME=" + home.pathOf("elsewhere"));
    struct Case {
        const char* name;
        QStringList environment;
        QStringList arguments;
        std::string layout;
        std::string firstCacheItem; // of XDG_CACHE, in the freedesktop layout
    };
    const std::vector<Case> cases{
        {"no Library folder: freedesktop, the variable ignored with --home",
         {variable},
         {QStringLiteral("--home"), q(home.path())},
         "freedesktop",
         "from-home"},
        {"$HOME as it stands: the variable counts",
         {variable, q("HOME=" + home.path())},
         {},
         "freedesktop",
         "from-variable"},
        {"the variable chooses the layout",
         {QStringLiteral("SORVANE_LAYOUT=macos")},
         {QStringLiteral("--home"), q(home.path())},
         "macos",
         ""},
        {"--layout wins over the variable",
         {QStringLiteral("SORVANE_LAYOUT=macos")},
         {QStringLiteral("--layout"), QStringLiteral("freedesktop"), QStringLiteral("--home"),
          q(home.path())},
         "freedesktop",
         "from-home"},
    };
    for (const auto& [name, environment, arguments, layout, firstCacheItem] : cases) {
        SCOPED_TRACE(name);
        const auto result = runWithEnvironment(
            environment, QStringList{QStringLiteral("scan"), QStringLiteral("--json"),
                                     QStringLiteral("--category"),
                                     q(layout == "macos" ? "USER_CACHE" : "XDG_CACHE")} +
                             arguments);
        ASSERT_EQ(result.exitCode, 0) << result.err;
        const QJsonObject report = test::parseJson(result.out);
        EXPECT_EQ(report.value("layout").toString().toStdString(), layout);
        if (!firstCacheItem.empty()) {
            const auto items =
                report.value("categories").toArray().at(0).toObject().value("items").toArray();
            ASSERT_EQ(items.size(), 1);
            EXPECT_EQ(items.at(0).toObject().value("name").toString().toStdString(),
                      firstCacheItem);
        }
    }
    const auto unknown =
        runWithEnvironment({QStringLiteral("SORVANE_LAYOUT=beos")},
                           {QStringLiteral("scan"), QStringLiteral("--home"), q(home.path())});
    EXPECT_EQ(unknown.exitCode, 2);
    EXPECT_EQ(unknown.err,
              "sorvane-cli: SORVANE_LAYOUT='beos' names no layout (macos or freedesktop)\n");
}
