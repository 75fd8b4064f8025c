#include "platform/AppRunnerMonitor.h"
#include "support/BundleFixture.h"
#include "support/FreedesktopHome.h"
#include "support/Processes.h"

#include <QElapsedTimer>

#include <filesystem>
#include <gtest/gtest.h>
#include <unistd.h>

using namespace sorvane;
using test::TempHome;

namespace {

class RecordingMonitorDelegate final : public AppRunnerMonitorDelegate {
public:
    void didUpdate(const QString& identifier, bool isRunning) override {
        calls.emplace_back(identifier, isRunning);
    }
    // The last full check: the final calls, one per watched identifier.
    std::vector<std::pair<QString, bool>> lastCheck(std::size_t watched) const {
        if (calls.size() < watched) {
            return {};
        }
        return {calls.end() - static_cast<std::ptrdiff_t>(watched), calls.end()};
    }

    std::vector<std::pair<QString, bool>> calls;
};

using Check = std::vector<std::pair<QString, bool>>;

} // namespace

TEST(AppRunnerMonitorTest, ReportsARealBundledProcessWhileItRuns) {
    TempHome home;
    // A real program started from inside a bundle, as a bundled application is.
    test::makeApp(home, "Applications/Fixture.app", "org.sorvane.fixture",
                  test::PlistFormat::binary);
    home.folder("Applications/Fixture.app/Contents/MacOS");
    const std::string executable = home.pathOf("Applications/Fixture.app/Contents/MacOS/Fixture");
    std::filesystem::copy_file("/bin/sleep", executable);
    std::filesystem::permissions(executable, std::filesystem::perms::owner_all,
                                 std::filesystem::perm_options::add);

    test::ChildProcess process(executable, {"60"});
    ASSERT_TRUE(process.started());

    auto delegate = std::make_shared<RecordingMonitorDelegate>();
    auto monitor = AppRunnerMonitor::create(
        {QStringLiteral("org.sorvane.fixture"), QStringLiteral("org.sorvane.absent")}, 0.05);
    monitor->setDelegate(delegate);
    monitor->start();
    ASSERT_TRUE(test::waitUntil([&] {
        return delegate->lastCheck(2) ==
               Check{{"org.sorvane.fixture", true}, {"org.sorvane.absent", false}};
    })) << delegate->calls.size();

    process.kill();
    ASSERT_TRUE(test::waitUntil([&] {
        return delegate->lastCheck(2) ==
               Check{{"org.sorvane.fixture", false}, {"org.sorvane.absent", false}};
    }));
    // Every check reports every watched identifier, in order, changed or not.
    ASSERT_EQ(delegate->calls.size() % 2, 0U);
    for (std::size_t i = 0; i < delegate->calls.size(); i += 2) {
        EXPECT_EQ(delegate->calls[i].first, QStringLiteral("org.sorvane.fixture"));
        EXPECT_EQ(delegate->calls[i + 1], (std::pair<QString, bool>{"org.sorvane.absent", false}));
    }
    monitor->stop();
}

TEST(AppRunnerMonitorTest, TimerTimingStopAndLifetime) {
    auto delegate = std::make_shared<RecordingMonitorDelegate>();
    std::weak_ptr<AppRunnerMonitor> watched;
    {
        auto monitor = AppRunnerMonitor::create({QStringLiteral("org.sample.one")}, 0.4);
        monitor->setDelegate(delegate);
        watched = monitor;
        monitor->start();
        monitor->start(); // a second start changes nothing
        EXPECT_TRUE(monitor->isMonitoring());
    }
    // The first check comes one interval after start, not at once.
    QElapsedTimer clock;
    clock.start();
    test::waitUntil([] { return false; }, 100);
    if (clock.elapsed() < 350) {
        EXPECT_TRUE(delegate->calls.empty());
    }
    // Nobody else holds the monitor: its timer keeps it checking.
    ASSERT_TRUE(test::waitUntil([&] { return delegate->calls.size() >= 2; }, 5000));
    ASSERT_FALSE(watched.expired());
    watched.lock()->stop();
    ASSERT_TRUE(test::waitUntil([&] { return watched.expired(); }, 5000))
        << "stop lets the monitor go";
    const auto callsAtStop = delegate->calls.size();
    test::waitUntil([] { return false; }, 600);
    EXPECT_EQ(delegate->calls.size(), callsAtStop);

    // Without identifiers the delegate is never called; without a delegate nothing happens.
    auto silent = AppRunnerMonitor::create({}, 0.02);
    auto quiet = std::make_shared<RecordingMonitorDelegate>();
    silent->setDelegate(quiet);
    silent->check();
    silent->start();
    test::waitUntil([] { return false; }, 150);
    silent->stop();
    EXPECT_TRUE(quiet->calls.empty());
    auto orphan = AppRunnerMonitor::create({QStringLiteral("x")}, 1.0);
    orphan->check();
}

TEST(AppRunnerMonitorTest, BundleOfAnExecutable) {
    EXPECT_EQ(
        RunningApplications::bundleOfExecutable("/Applications/Editor.app/Contents/MacOS/Editor"),
        std::optional<std::string>("/Applications/Editor.app"));
    EXPECT_EQ(RunningApplications::bundleOfExecutable(
                  "/A.app/Contents/Library/Helper.app/Contents/MacOS/Helper"),
              std::optional<std::string>("/A.app/Contents/Library/Helper.app"));
    EXPECT_FALSE(RunningApplications::bundleOfExecutable("/usr/bin/sleep").has_value());
    EXPECT_FALSE(
        RunningApplications::bundleOfExecutable("/A.app/Contents/MacOS/sub/tool").has_value());
}

TEST(AppRunnerMonitorTest, NoticesAnInformationFileThatAppearsOrChangesWhileTheProgramRuns) {
    struct Case {
        const char* name;
        std::optional<std::string> identifierAtStart; // none: no information file yet
        test::PlistFormat format;
    };
    const std::vector<Case> cases{
        {"appears", std::nullopt, test::PlistFormat::xml},
        {"changes", "org.sorvane.before", test::PlistFormat::binary},
    };
    for (const auto& [name, identifierAtStart, format] : cases) {
        SCOPED_TRACE(name);
        TempHome home;
        const std::string bundle = "Applications/Late.app";
        home.folder(bundle + "/Contents/MacOS");
        if (identifierAtStart) {
            test::makeApp(home, bundle, *identifierAtStart, format);
        }
        const std::string executable = home.pathOf(bundle + "/Contents/MacOS/Late");
        std::filesystem::copy_file("/bin/sleep", executable);
        std::filesystem::permissions(executable, std::filesystem::perms::owner_all,
                                     std::filesystem::perm_options::add);
        test::ChildProcess process(executable, {"60"});
        ASSERT_TRUE(process.started());

        auto delegate = std::make_shared<RecordingMonitorDelegate>();
        auto monitor = AppRunnerMonitor::create({QStringLiteral("org.sorvane.late")}, 0.05);
        monitor->setDelegate(delegate);
        monitor->start();
        // Two checks, so that the program has certainly been seen without its identifier.
        ASSERT_TRUE(test::waitUntil([&] { return delegate->calls.size() >= 2; }));
        EXPECT_EQ(delegate->calls.back().second, false);

        test::makeApp(home, bundle, "org.sorvane.late", format);
        const std::size_t written = delegate->calls.size();
        // A check hands out the reading its predecessor asked for: the second check after the
        // change has read the new file.
        ASSERT_TRUE(test::waitUntil([&] { return delegate->calls.size() >= written + 2; }));
        EXPECT_EQ(delegate->calls[written + 1],
                  (std::pair<QString, bool>{"org.sorvane.late", true}));
        monitor->stop();
    }
}

TEST(AppRunnerMonitorTest, FreedesktopProgramByItsExecutableWithinTwoTicks) {
    test::FreedesktopHome fixture;
    // A real program whose path looks like an unpacked Firefox.
    fixture.home.folder("firefox-x");
    const std::string executable = fixture.home.pathOf("firefox-x/firefox");
    std::filesystem::copy_file("/bin/sleep", executable);
    std::filesystem::permissions(executable, std::filesystem::perms::owner_all,
                                 std::filesystem::perm_options::add);
    test::ChildProcess process(executable, {"60"});
    ASSERT_TRUE(process.started());

    auto delegate = std::make_shared<RecordingMonitorDelegate>();
    auto monitor = AppRunnerMonitor::create(
        {QStringLiteral("org.mozilla.firefox"), QStringLiteral("com.slack.Slack")}, 0.05);
    monitor->setDelegate(delegate);
    monitor->start();
    // Stopped on every way out, so that its reader never runs into the end of the process.
    const std::shared_ptr<void> stopping(nullptr, [&](void*) { monitor->stop(); });
    // A check reports the newest reading, taken at most one check before; checks come every
    // 50 ms, so a slow (instrumented) reader is given a few more of them.
    const auto reports = [&](bool firefox) {
        return test::waitUntil([&] {
            return delegate->lastCheck(2) ==
                   Check{{"org.mozilla.firefox", firefox}, {"com.slack.Slack", false}};
        });
    };
    ASSERT_TRUE(reports(true));
    process.kill();
    ASSERT_TRUE(reports(false));
}

TEST(AppRunnerMonitorTest, FreedesktopProgramsInAProcFolder) {
    struct Process {
        const char* pid;
        std::string executable; // empty: none readable
        std::string controlGroups;
        bool otherUser;
    };
    const std::vector<Process> processes{
        {"100", "/opt/slack-4.36/slack", "0::/user.slice/app.slice/slack.scope\n", false},
        {"200", "/app/bin/signal-wrapper",
         "0::/user.slice/user@0.service/app.slice/app-flatpak-org.signal.Signal-4242.scope\n",
         false},
        {"300", "/usr/lib/thunderbird/thunderbird-bin (deleted)", "", false},
        {"400", "/usr/share/spotify/spotify", "", true},
        {"500", "/usr/bin/bash", "0::/app.slice/app-flatpak-com.brave.BrowserNightly-7.scope\n",
         false},
        {"600", "", "0::/app.slice/app-flatpak-com.discordapp.Discord-9.scope\n", false},
        {"self", "/opt/brave.com/brave/brave", "", false},
        {"700", "/usr/lib/code/code", "", false},
    };
    test::FreedesktopHome fixture;
    for (const auto& [pid, executable, controlGroups, otherUser] : processes) {
        const std::string folder = std::string("proc/") + pid;
        fixture.home.folder(folder);
        if (!executable.empty()) {
            fixture.home.link(folder + "/exe", executable);
        }
        test::writeFile(fixture.home.pathOf(folder + "/cgroup"), controlGroups);
        if (otherUser && test::runningAsRoot()) {
            ASSERT_EQ(lchown(fixture.home.pathOf(folder).c_str(), test::unprivilegedUid(),
                             test::unprivilegedGid()),
                      0);
        }
    }
    RunningApplications::setProcRoot(fixture.home.pathOf("proc"));
    RunningApplications running;
    const auto identifiers = running.readNow();
    RunningApplications::setProcRoot("");
    QStringList found(identifiers->begin(), identifiers->end());
    found.sort();
    QStringList expected{"com.discordapp.Discord", "com.slack.Slack", "com.visualstudio.code",
                         "org.mozilla.Thunderbird", "org.signal.Signal"};
    if (!test::runningAsRoot()) {
        expected.append("com.spotify.Client");
        expected.sort();
    }
    EXPECT_EQ(found, expected);
}
