// The unattended cleaning: clean --skip-running with a real process of a category's program,
// and schedule's units written, verified, shown, run as written and removed on a temporary home
// where no user service manager answers.

#include "platform/schedule/SystemdCommandLine.h"
#include "support/Processes.h"
#include "support/TempHome.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>

#include <ctime>
#include <fcntl.h>
#include <filesystem>
#include <gtest/gtest.h>
#include <sys/stat.h>

using namespace sorvane;
using namespace sorvane::test;

namespace {

// The CLI on the home, with no session bus and no runtime folder: no user manager answers.
ProcessResult cli(const TempHome& home, const std::string& line, QStringList more = {}) {
    const QStringList words = QString::fromStdString(line).split(' ', Qt::SkipEmptyParts);
    return run("env", QStringList{"-u", "XDG_RUNTIME_DIR", "-u", "DBUS_SESSION_BUS_ADDRESS",
                                  SORVANE_CLI, "--layout", "freedesktop", "--home",
                                  QString::fromStdString(home.path())} +
                          words + more);
}

std::string unit(const TempHome& home, const std::string& name) {
    return home.pathOf(".config/systemd/user/" + name);
}

bool has(const std::string& text, const std::string& part) {
    return text.find(part) != std::string::npos;
}

} // namespace

TEST(CliScheduleTest, QuotedWordsComeBackAsTheyWere) {
    const std::vector<std::string> words{"/tmp/a b/sorvane-cli", "50%",         "$HOME", "\"q'",
                                         "back\\slash",          "line\nend\t", "ü",     "-x="};
    const std::string line = SystemdCommandLine::join(words);
    EXPECT_EQ(SystemdCommandLine::split(line), words) << line;
    for (const char* bad : {"\"open", "lone % sign", "bad \\x4"}) {
        EXPECT_FALSE(SystemdCommandLine::split(bad)) << bad;
    }
}

TEST(CliScheduleTest, BadRequestsAreRefusedBeforeAnythingIsWritten) {
    const TempHome home;
    const std::pair<const char*, const char*> cases[] = {
        {"schedule --every hourly --category THUMBNAILS", "is not a frequency"},
        {"schedule --every daily", "needs at least one --category KEY"},
        {"schedule --every daily --category NOPE", "unknown category key 'NOPE'"},
        {"schedule --every daily --category THUMBNAILS --older-than 0",
         "a whole number from 1 to 36500"},
        {"schedule --show --off", "one of --every FREQUENCY, --show and --off"},
        {"clean --skip-running --path /tmp/x", "select them with --category"},
        {"scan --skip-unknown", "belong to clean"},
        {"clean --category NOPE --skip-running", "unknown category key 'NOPE'"},
    };
    for (const auto& [line, message] : cases) {
        const auto result = cli(home, line);
        EXPECT_EQ(result.exitCode, 2) << line;
        EXPECT_TRUE(has(result.err, message)) << line << ": " << result.err;
    }
    EXPECT_FALSE(exists(home.pathOf(".config/systemd")));
}

TEST(CliScheduleTest, WrittenUnitsPassTheServiceManagersCheck) {
    if (!std::filesystem::exists("/usr/bin/systemd-analyze")) {
        GTEST_SKIP() << "systemd-analyze is not installed";
    }
    const TempHome home;
    ASSERT_EQ(
        cli(home, "schedule --every monthly --category FREEDESKTOP_TRASH --older-than 9").exitCode,
        1);
    // A user manager of its own for the check, in a runtime folder of its own.
    const QTemporaryDir runtime;
    const auto verified =
        run("env", {"XDG_RUNTIME_DIR=" + runtime.path(), "systemd-analyze", "--user", "--man=no",
                    "verify", QString::fromStdString(unit(home, "sorvane-clean.service")),
                    QString::fromStdString(unit(home, "sorvane-clean.timer"))});
    EXPECT_EQ(verified.exitCode, 0) << verified.err;
    EXPECT_EQ(verified.err, "") << "no directive was passed over";
}

TEST(CliScheduleTest, TheScheduledCleaningRunsAsWrittenAndIsShownAndRemoved) {
    const TempHome home;
    home.file(".cache/thumbnails/large/a.png", 100);
    home.file(".cache/thumbnails/large/keep.png", 100);
    home.file(".cache/thumbnails/normal/b.png", 100);
    home.file(".cache/thumbnails/normal/young.png", 100);
    home.file(".cache/mozilla/firefox/p.default/cache2/entries/c", 100);
    // Unused for 60 days, all but the young thumbnail.
    const timespec monthsAgo[2] = {{time(nullptr) - 60 * 86400, 0},
                                   {time(nullptr) - 60 * 86400, 0}};
    for (const char* old : {"large/a.png", "large/keep.png", "normal/b.png"}) {
        const std::string path = home.pathOf(std::string(".cache/thumbnails/") + old);
        ASSERT_EQ(utimensat(AT_FDCWD, path.c_str(), monthsAgo, 0), 0);
    }
    ASSERT_EQ(cli(home, "keep add ~/.cache/thumbnails/large/keep.png").exitCode, 0);
    const auto scheduled = cli(home, "schedule --every weekly --category THUMBNAILS "
                                     "--category FIREFOX_CACHE --older-than 30");
    EXPECT_EQ(scheduled.exitCode, 1) << scheduled.err;
    EXPECT_TRUE(has(scheduled.err, "\n  systemctl --user daemon-reload\n  systemctl --user enable "
                                   "--now sorvane-clean.timer"))
        << scheduled.err;
    EXPECT_TRUE(has(cli(home, "schedule --show").out,
                    "Runs: weekly\nCategories: THUMBNAILS, FIREFOX_CACHE\nOlder than: 30 days\n"));
    EXPECT_TRUE(has(cli(home, "schedule --show").out, "Next run: unknown"));
    EXPECT_TRUE(has(cli(home, "schedule --show").out, "Last cleaning: none in the journal"));

    // Firefox runs: its cache stays for a later run. A key this version no longer has is named.
    const std::string firefox = home.pathOf("opt/firefox/firefox");
    std::filesystem::create_directories(home.pathOf("opt/firefox"));
    std::filesystem::copy_file("/bin/sleep", firefox);
    ChildProcess process(firefox, {"60"});
    ASSERT_TRUE(process.started());
    const std::string service = readFile(unit(home, "sorvane-clean.service"));
    const std::string execStart = service.substr(service.find("ExecStart=") + 10);
    const auto words = SystemdCommandLine::split(execStart.substr(0, execStart.find('\n')));
    ASSERT_TRUE(words && words->size() > 1) << service;
    QStringList rest;
    for (std::size_t i = 1; i < words->size(); ++i) {
        rest << QString::fromStdString((*words)[i]);
    }
    const auto cleaned =
        run(QString::fromStdString(words->front()), rest + QStringList{"--category", "GONE"});
    EXPECT_EQ(cleaned.exitCode, 0) << cleaned.out << cleaned.err;
    EXPECT_TRUE(has(cleaned.out, "Left out: GONE: no category has this key\n"
                                 "Left out: FIREFOX_CACHE (Firefox): its program is running\n"))
        << cleaned.out;
    EXPECT_TRUE(exists(home.pathOf(".cache/mozilla/firefox/p.default/cache2/entries/c")));
    EXPECT_TRUE(exists(home.pathOf(".cache/thumbnails/large/keep.png")));
    EXPECT_FALSE(exists(home.pathOf(".cache/thumbnails/large/a.png")));
    EXPECT_FALSE(exists(home.pathOf(".cache/thumbnails/normal/b.png")));
    EXPECT_TRUE(exists(home.pathOf(".cache/thumbnails/normal/young.png")));
    const auto json = QJsonDocument::fromJson(QByteArray::fromStdString(
        cli(home, "clean --skip-running --json --category FIREFOX_CACHE").out));
    EXPECT_EQ(json["skipped"].toArray(),
              QJsonArray({QJsonObject{
                  {"key", "FIREFOX_CACHE"}, {"name", "Firefox"}, {"reason", "running"}}}));
    const auto shown = cli(home, "schedule --show").out;
    EXPECT_TRUE(has(shown, ", 1 removed, 0 remaining, 1 kept")) << shown;

    const auto off = cli(home, "schedule --off");
    EXPECT_EQ(off.exitCode, 0) << off.err;
    EXPECT_FALSE(exists(unit(home, "sorvane-clean.service")));
    EXPECT_FALSE(exists(unit(home, "sorvane-clean.timer")));
    EXPECT_TRUE(has(cli(home, "schedule --off").out, "Nothing is scheduled; nothing changed."));
    EXPECT_TRUE(has(cli(home, "schedule --show").out, "Nothing is scheduled"));
}
