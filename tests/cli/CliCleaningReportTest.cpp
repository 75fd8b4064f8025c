// What clean --yes says it freed and why locations stay, its journal whatever happens to the
// process, and the history command, with the CLI run as a real process.

#include "platform/journal/CleaningJournal.h"
#include "support/BundleFixture.h"
#include "support/Processes.h"
#include "support/SafetySkip.h"
#include "support/TempHome.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>

#include <algorithm>
#include <csignal>
#include <gtest/gtest.h>
#include <tuple>

using namespace sorvane;
using namespace sorvane::test;

namespace {

QStringList cleanArguments(const TempHome& home) {
    return QString::fromStdString("--layout freedesktop --home " + home.path() + " --root " +
                                  home.folder("root") + " clean --yes --json --category XDG_CACHE")
        .split(QLatin1Char(' '));
}

// Two caches of 10,000 files each and a few small ones: long enough to be caught midway.
void fillCaches(const TempHome& home) {
    for (int i = 0; i < 20000; ++i) {
        const std::string folder =
            home.pathOf(".cache/big" + std::to_string(i % 2) + "/d" + std::to_string(i % 50));
        if (i < 100) {
            home.folder(folder.substr(home.path().size() + 1));
        }
        writeFile(folder + "/f" + std::to_string(i), "x");
    }
    for (const char* small : {"a", "m", "z"}) {
        home.file(".cache/" + std::string(small) + "/f", 10);
    }
}

// The journal's lines, each checked to be one whole entry.
std::size_t wholeLines(const std::string& path) {
    const QStringList lines = QString::fromStdString(readFile(path)).split(QLatin1Char('\n'));
    EXPECT_TRUE(lines.back().isEmpty()) << "the last line is ended";
    for (const auto& line : lines.mid(0, lines.size() - 1)) {
        EXPECT_TRUE(CleaningJournal::decode(line.toStdString())) << line.toStdString();
    }
    return static_cast<std::size_t>(lines.size() - 1);
}

QJsonObject json(const std::string& text) {
    return QJsonDocument::fromJson(QByteArray::fromStdString(text)).object();
}

} // namespace

// The CLI is sent a signal once the journal holds its first line: SIGINT stops it at its next
// entry and it reports the rest as stopped with status 130; SIGKILL leaves only whole lines.
TEST(CliCleaningReportTest, AnInterruptStopsTheCleaningAndTheJournalStaysWhole) {
    for (const int signal : {SIGINT, SIGKILL}) {
        SCOPED_TRACE(signal);
        const TempHome home;
        fillCaches(home);
        QProcess cli;
        cli.start(QStringLiteral(SORVANE_CLI), cleanArguments(home));
        ASSERT_TRUE(cli.waitForStarted());
        ASSERT_TRUE(waitUntil([&] { return !readFile(CleaningJournal::path()).empty(); }, 60000));
        ::kill(static_cast<pid_t>(cli.processId()), signal);
        ASSERT_TRUE(cli.waitForFinished(60000));
        const std::size_t lines = wholeLines(CleaningJournal::path());
        if (signal == SIGKILL) {
            EXPECT_EQ(cli.exitStatus(), QProcess::CrashExit);
            continue;
        }
        EXPECT_EQ(cli.exitCode(), 130) << cli.readAllStandardError().toStdString();
        const QJsonObject report = json(cli.readAllStandardOutput().toStdString());
        EXPECT_TRUE(report.value("stopped").toBool());
        const QJsonArray remaining = report.value("remainingReasons").toArray();
        ASSERT_FALSE(remaining.isEmpty());
        for (const auto& location : remaining) {
            EXPECT_EQ(location.toObject().value("reason").toString(), "stopped");
            EXPECT_TRUE(exists(location.toObject().value("location").toString().toStdString()));
        }
        for (const auto& location : report.value("deleted").toArray()) {
            EXPECT_FALSE(exists(location.toString().toStdString()));
        }
        EXPECT_EQ(lines, static_cast<std::size_t>(remaining.size() +
                                                  report.value("deleted").toArray().size()));
    }
}

// A folder of another user in the cache stays as permission-denied, named in both reports and
// in the journal, which history shows from a given day on.
TEST(CliCleaningReportTest, ReasonsFreedSpaceAndHistory) {
    if (!runningAsRoot()) {
        GTEST_SKIP() << "another user's folder needs root to be made";
    }
    const TempHome home;
    const std::string theirs = home.file(".cache/theirs/f", 10);
    home.folder(".cache/ours");
    writeFile(home.pathOf(".cache/ours/f"), std::string(100000, 'x'));
    home.chownAll(unprivilegedUid(), unprivilegedGid());
    ASSERT_EQ(chown(home.pathOf(".cache/theirs").c_str(), 0, 0), 0);
    static const ProgramCopy cli(QStringLiteral(SORVANE_CLI));
    const QStringList arguments = cleanArguments(home);
    const auto cleaned = runUnprivileged(cli.path(), arguments);
    EXPECT_EQ(cleaned.exitCode, 1) << cleaned.err;
    const QJsonObject report = json(cleaned.out);
    EXPECT_GE(report.value("freed").toDouble(), 100000);
    const QJsonObject stays = report.value("remainingReasons").toArray().at(0).toObject();
    EXPECT_EQ(stays.value("location").toString().toStdString(), home.pathOf(".cache/theirs"));
    EXPECT_EQ(stays.value("reason").toString(), "permission-denied");
    EXPECT_EQ(stays.value("message").toString().toStdString(), theirs + ": Permission denied");
    QStringList inText = arguments;
    inText.removeAll(QStringLiteral("--json"));
    const auto again = runUnprivileged(cli.path(), inText);
    EXPECT_NE(again.out.find("Freed on disk: "), std::string::npos) << again.out;
    EXPECT_NE(again.out.find(home.pathOf(".cache/theirs") + " (permission denied: "),
              std::string::npos)
        << again.out;
    const QStringList history{"--home", QString::fromStdString(home.path()), "history"};
    const std::vector<std::tuple<QStringList, int, std::string>> cases{
        {{"--since", "2000-01-01"}, 0, "XDG_CACHE                  remaining"},
        {{"--json", "--since", "2999-01-01T00:00:00Z"}, 0, "\"entries\": []"},
        {{"--since", "yesterday"}, 2, "--since 'yesterday' is not a date"},
    };
    for (const auto& [more, status, expected] : cases) {
        const auto shown = run(QStringLiteral(SORVANE_CLI), history + more);
        EXPECT_EQ(shown.exitCode, status);
        EXPECT_NE((shown.out + shown.err).find(expected), std::string::npos)
            << shown.out << shown.err;
    }
    EXPECT_NE(run(QStringLiteral(SORVANE_CLI), history).out.find("permission-denied"),
              std::string::npos);
}

// In a mount namespace of its own the cache is a tmpfs: a file system mounted inside a cache
// folder keeps it as a mount point, and once the cache is read-only what is in it stays as
// read-only; both reports come from real cleanings.
TEST(CliCleaningReportTest, AMountInsideAndAReadOnlyCacheStayWithTheirReasons) {
    const TempHome home;
    home.folder(".cache");
    const QString script = QStringLiteral(R"(
        set -e
        home="$1" cli="$2"
        shift 2
        mount -t tmpfs tmpfs "$home/.cache" || exit 90
        mkdir -p "$home/.cache/inside/point" && echo x > "$home/.cache/inside/f"
        mount -t tmpfs tmpfs "$home/.cache/inside/point" && echo x > "$home/.cache/inside/point/g"
        "$cli" "$@" > "$home/mounted.json" || true
        mkdir "$home/.cache/other" && echo x > "$home/.cache/other/f"
        mount -o remount,ro "$home/.cache"
        "$cli" "$@" > "$home/read-only.json" || true
    )");
    const auto inside =
        run(QStringLiteral("unshare"),
            QStringList{"--mount", "--propagation", "private", "sh", "-c", script, "sh",
                        QString::fromStdString(home.path()), QStringLiteral(SORVANE_CLI)} +
                cleanArguments(home));
    if (inside.exitCode == 90) {
        SORVANE_SKIP_SAFETY_TEST("no tmpfs could be mounted in a private namespace: " + inside.err);
    }
    ASSERT_EQ(inside.exitCode, 0) << inside.err;
    for (const auto& [report, location, reason] :
         std::vector<std::tuple<std::string, std::string, QString>>{
             {"mounted.json", ".cache/inside", "mount-point"},
             {"read-only.json", ".cache/other", "read-only"}}) {
        SCOPED_TRACE(report);
        const QJsonArray remaining =
            json(readFile(home.pathOf(report))).value("remainingReasons").toArray();
        const auto found = std::find_if(remaining.begin(), remaining.end(), [&](const auto& row) {
            return row.toObject().value("location").toString().toStdString() ==
                   home.pathOf(location);
        });
        ASSERT_NE(found, remaining.end()) << readFile(home.pathOf(report));
        EXPECT_EQ(found->toObject().value("reason").toString(), reason);
    }
}
