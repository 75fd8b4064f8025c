#include "platform/desktop/AppRunnerMonitor.h"
#include "platform/places/Layout.h"
#include "support/BundleFixture.h"
#include "support/FreedesktopHome.h"
#include "support/Processes.h"

#include <algorithm>
#include <filesystem>
#include <gtest/gtest.h>
#include <tuple>
#include <unistd.h>

using namespace sorvane;
using test::TempHome;

namespace {

using Calls = std::vector<std::pair<QString, bool>>;

class RecordingMonitorDelegate final : public AppRunnerMonitorDelegate {
public:
    void didUpdate(const QString& identifier, bool isRunning) override {
        calls.emplace_back(identifier, isRunning);
    }
    Calls calls;
};

} // namespace

TEST(AppRunnerMonitorTest, ReportsARealProgramWhileItRuns) {
    // Whether the program's path looks like an unpacked Firefox (else a bundle's), the bundle's
    // identifier at the start (none: no information file yet), and whether the bundle's own
    // identifier is written while the program runs.
    const std::tuple<const char*, bool, std::optional<std::string>, bool> cases[] = {
        {"a bundle", false, "org.sorvane.late", false},
        {"an information file appears", false, std::nullopt, true},
        {"an information file changes", false, "org.sorvane.before", true},
        {"an executable pattern", true, std::nullopt, false},
    };
    const QString absent = QStringLiteral("com.slack.Slack");
    for (const auto& [name, freedesktop, identifierAtStart, writtenLater] : cases) {
        SCOPED_TRACE(name);
        TempHome home;
        const auto desktop = freedesktop ? std::make_unique<test::FreedesktopHome>() : nullptr;
        const QString watched = freedesktop ? "org.mozilla.firefox" : "org.sorvane.late";
        const std::string executable = home.pathOf(
            freedesktop ? "firefox-x/firefox" : "Applications/Late.app/Contents/MacOS/Late");
        std::filesystem::create_directories(std::filesystem::path(executable).parent_path());
        // The copy keeps the original's modes, so it is executable.
        std::filesystem::copy_file("/bin/sleep", executable);
        if (identifierAtStart) {
            test::makeApp(home, "Applications/Late.app", *identifierAtStart,
                          test::PlistFormat::binary);
        }
        test::ChildProcess process(executable, {"60"});
        ASSERT_TRUE(process.started());

        auto delegate = std::make_shared<RecordingMonitorDelegate>();
        std::weak_ptr<AppRunnerMonitor> monitor;
        {
            const auto held = AppRunnerMonitor::create({watched, absent}, 0.05);
            held->setDelegate(delegate);
            held->start();
            monitor = held;
        } // nobody else holds the monitor now: its own timer keeps it checking
        // Stopped on every way out, so that its reader never runs into the end of the process.
        const std::shared_ptr<void> stopping(nullptr, [&](void*) {
            if (const auto held = monitor.lock()) {
                held->stop();
            }
        });
        const Calls& calls = delegate->calls;
        // Checks come every 50 ms, so a slow (instrumented) reader is given a few more of them.
        const auto reports = [&](bool running) {
            return test::waitUntil([&] {
                const auto last = std::find_if(calls.rbegin(), calls.rend(), [&](const auto& call) {
                    return call.first == watched;
                });
                return last != calls.rend() && last->second == running;
            });
        };
        if (writtenLater) {
            // The first check reads on its own thread, so the program has been seen without
            // its identifier before the file is written.
            ASSERT_TRUE(test::waitUntil([&] { return calls.size() >= 2; }));
            EXPECT_EQ(calls.front(), (std::pair{watched, false}));
            test::makeApp(home, "Applications/Late.app", watched.toStdString());
        }
        ASSERT_TRUE(reports(true));
        process.kill();
        ASSERT_TRUE(reports(false));
        ASSERT_FALSE(monitor.expired());
        monitor.lock()->stop();
        ASSERT_TRUE(test::waitUntil([&] { return monitor.expired(); })) << "stop lets it go";
        // The first check reports every watched identifier, in order; the many later ones
        // only the program whose state changed.
        ASSERT_GE(calls.size(), 3U);
        EXPECT_EQ(calls[0].first, watched);
        EXPECT_EQ(calls[1], (std::pair{absent, false}));
        for (std::size_t i = 2; i < calls.size(); ++i) {
            EXPECT_EQ(calls[i].first, watched) << i;
            EXPECT_NE(calls[i].second, (i == 2 ? calls[0] : calls[i - 1]).second) << i;
        }
    }
}

TEST(AppRunnerMonitorTest, ProgramsInAProcFolder) {
    test::FreedesktopHome fixture;
    // The nearest bundle names a program, and only one right in Contents/MacOS.
    const std::string outer = test::makeApp(fixture.home, "Outer.app", "org.sample.Outer");
    test::makeApp(fixture.home, "Outer.app/Contents/Library/Helper.app", "org.sample.Helper");
    // Each process: the link to its executable (none readable for 600) and its control groups.
    fixture.build({
        "proc/800/exe -> " + outer + "/Contents/Library/Helper.app/Contents/MacOS/Helper",
        "proc/900/exe -> " + outer + "/Contents/MacOS/sub/tool",
        "proc/100/exe -> /opt/slack-4.36/slack",
        "proc/100/cgroup = 0::/user.slice/app.slice/slack.scope\n",
        "proc/200/exe -> /app/bin/signal-wrapper",
        "proc/200/cgroup = "
        "0::/user.slice/user@0.service/app.slice/app-flatpak-org.signal.Signal-4242.scope\n",
        "proc/300/exe -> /usr/lib/thunderbird/thunderbird-bin (deleted)",
        "proc/300/cgroup = ",
        "proc/400/exe -> /usr/share/spotify/spotify", // another user's
        "proc/400/cgroup = ",
        "proc/500/exe -> /usr/bin/bash",
        "proc/500/cgroup = 0::/app.slice/app-flatpak-com.brave.BrowserNightly-7.scope\n",
        "proc/600/cgroup = 0::/app.slice/app-flatpak-com.discordapp.Discord-9.scope\n",
        "proc/self/exe -> /opt/brave.com/brave/brave",
        "proc/self/cgroup = ",
        "proc/700/exe -> /usr/lib/code/code",
        "proc/700/cgroup = ",
    });
    if (test::runningAsRoot()) {
        ASSERT_EQ(lchown(fixture.home.pathOf("proc/400").c_str(), test::unprivilegedUid(),
                         test::unprivilegedGid()),
                  0);
    }
    RunningApplications::setProcRoot(fixture.home.pathOf("proc"));
    const auto identifiers = RunningApplications().readNow();
    Layout::choose(LayoutKind::macos); // where bundles name the programs
    const auto bundled = RunningApplications().readNow();
    RunningApplications::setProcRoot("");
    ASSERT_TRUE(identifiers && bundled);
    EXPECT_EQ(*bundled, QSet<QString>{QStringLiteral("org.sample.Helper")});
    QSet<QString> expected{"com.discordapp.Discord", "com.slack.Slack", "com.visualstudio.code",
                           "org.mozilla.Thunderbird", "org.signal.Signal"};
    if (!test::runningAsRoot()) {
        expected.insert("com.spotify.Client");
    }
    EXPECT_EQ(*identifiers, expected);
}
