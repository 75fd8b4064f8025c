#include "platform/Anchor.h"
#include "platform/Path.h"
#include "support/Processes.h"
#include "support/SwapRace.h"
#include "support/TempHome.h"

#include <cstdio>
#include <gtest/gtest.h>

using namespace sorvane;
using test::TempHome;

namespace {

int lineCount(const std::string& text) {
    return static_cast<int>(std::count(text.begin(), text.end(), '\n'));
}

// A folder outside the selection that links inside the selection point at.
void layOutVictim(const TempHome& home) {
    for (int i = 0; i < 5; ++i) {
        home.file("victim/keep" + std::to_string(i), 100);
    }
    home.file("victim/nested/keep", 100);
}

void expectVictimIntact(const TempHome& home) {
    for (int i = 0; i < 5; ++i) {
        EXPECT_TRUE(test::exists(home.pathOf("victim/keep" + std::to_string(i))));
    }
    EXPECT_TRUE(test::exists(home.pathOf("victim/nested/keep")));
}

} // namespace

TEST(FolderRemovalTest, RemovesFilesLinksAndWholeFoldersWithoutFollowingLinks) {
    TempHome home;
    layOutVictim(home);
    home.file("sel/a.txt", 10);
    home.file("sel/.hidden/b", 10);
    home.file("sel/Tool.app/Contents/MacOS/tool", 10);
    home.file("sel/deep/x/y/z", 10);
    home.link("sel/to-victim", home.pathOf("victim"));
    home.link("sel/deep/to-victim-file", home.pathOf("victim/keep0"));
    home.file("single", 5);
    const std::string selectedLink = home.link("link-to-victim", home.pathOf("victim"));

    EXPECT_TRUE(Path::remove(home.url("single")));
    EXPECT_FALSE(test::exists(home.pathOf("single")));

    // A selected link goes as a link; the folder behind it stays whole.
    EXPECT_TRUE(Path::remove(Url::folder(selectedLink)));
    EXPECT_FALSE(test::exists(selectedLink));

    EXPECT_TRUE(Path::remove(home.url("sel", true)));
    EXPECT_FALSE(test::exists(home.pathOf("sel")));
    expectVictimIntact(home);
}

TEST(FolderRemovalTest, MissingItemCountsAsRemovedAfterOneLine) {
    TempHome home;
    ::testing::internal::CaptureStdout();
    const bool removed = Path::remove(home.url("nothing-here"));
    const std::string printed = ::testing::internal::GetCapturedStdout();
    EXPECT_TRUE(removed);
    EXPECT_EQ(lineCount(printed), 1) << printed;
    EXPECT_NE(printed.find("No such file or directory"), std::string::npos) << printed;

    ::testing::internal::CaptureStdout();
    EXPECT_FALSE(Path::remove(Url("/")));
    EXPECT_EQ(lineCount(::testing::internal::GetCapturedStdout()), 1);
}

TEST(FolderRemovalTest, FailuresPrintOneLineAndKeepOnlyWhatCouldNotGo) {
    TempHome home;
    home.file("sel/free/a", 10);
    home.file("sel/free/b", 10);
    home.file("sel/locked/one", 10);
    home.file("sel/locked/two", 10);
    home.file("sel/locked/three", 10);
    home.file("sel/z-after", 10);
    if (test::runningAsRoot()) {
        home.chownAll(test::unprivilegedUid(), test::unprivilegedGid());
    }
    home.setMode("sel/locked", 0555);

    const auto probe = test::runUnprivileged(
        test::pathProbe(), {QStringLiteral("remove"), QString::fromStdString(home.pathOf("sel"))});
    ASSERT_EQ(probe.exitCode, 0) << probe.err;
    EXPECT_EQ(probe.err, "left\n");
    EXPECT_EQ(lineCount(probe.out), 1) << probe.out;
    EXPECT_NE(probe.out.find("Permission denied"), std::string::npos) << probe.out;
    EXPECT_FALSE(test::exists(home.pathOf("sel/free")));
    EXPECT_FALSE(test::exists(home.pathOf("sel/z-after")));
    EXPECT_TRUE(test::exists(home.pathOf("sel/locked/one")));
    EXPECT_TRUE(test::exists(home.pathOf("sel/locked/three")));
}

TEST(FolderRemovalTest, FolderSwappedForALinkMidwayNeverLeadsOutside) {
    TempHome home;
    layOutVictim(home);
    constexpr int folders = 150;
    for (int round = 0; round < 4; ++round) {
        const std::string base = "sel" + std::to_string(round);
        for (int i = 0; i < folders; ++i) {
            for (int j = 0; j < 8; ++j) {
                home.file(base + "/d" + std::to_string(i) + "/sub/f" + std::to_string(j), 1);
            }
        }
        std::vector<std::string> swapped;
        for (int i = folders - 1; i >= 0; --i) {
            const std::string folder = home.pathOf(base + "/d" + std::to_string(i));
            swapped.insert(swapped.end(), {folder, folder + ".moved/sub"});
        }
        ::testing::internal::CaptureStdout();
        {
            const test::SwapRace race(swapped, home.pathOf("victim"));
            Path::remove(home.url(base, true));
        }
        ::testing::internal::GetCapturedStdout();
        expectVictimIntact(home);
    }
}

// Below its anchor a location is reached only through real folders: a link anywhere on the way
// leaves every operation with nothing, whether the kernel resolves the path or we walk it one
// component at a time.
TEST(FolderRemovalTest, ALinkOnTheWayReachesNothingWithEitherResolver) {
    TempHome home;
    home.file("real/inner/data", 100);
    home.file("real/inner/deeper/more", 50);
    home.link("via", "real");
    home.link("real/inner-link", "inner");
    for (const bool kernel : {true, false}) {
        SCOPED_TRACE(kernel ? "kernel resolver" : "component by component");
        Anchor::setKernelResolverAllowed(kernel);
        for (const char* location : {"via/inner", "real/inner-link/deeper"}) {
            SCOPED_TRACE(location);
            const Url folder = home.url(location, true);
            ::testing::internal::CaptureStdout();
            EXPECT_TRUE(Path::contents(folder, true).empty());
            EXPECT_TRUE(Path::entries(folder, true).empty());
            EXPECT_EQ(Path::directorySize(folder), 0U);
            EXPECT_EQ(Path::size(folder), 0U);
            EXPECT_FALSE(Path::exists(folder));
            EXPECT_FALSE(Path::isDeletable(folder.path()));
            EXPECT_FALSE(Path::isGone(folder)) << "unreachable is not gone";
            EXPECT_FALSE(Path::remove(folder));
            ::testing::internal::GetCapturedStdout();
        }
        // The same locations reached through real folders work.
        EXPECT_EQ(Path::directorySize(home.url("real/inner", true)), 150U);
        EXPECT_EQ(Path::entries(home.url("real", true), true).size(), 5U);
        EXPECT_TRUE(test::exists(home.pathOf("real/inner/deeper/more")));
        // A "." or ".." anywhere is refused outright.
        EXPECT_EQ(Path::directorySize(home.url("real/inner/deeper/..", true)), 0U);
        EXPECT_EQ(Path::directorySize(home.url("real/./inner", true)), 0U);
    }
    Anchor::setKernelResolverAllowed(true);
    EXPECT_TRUE(Path::remove(home.url("real/inner", true)));
    EXPECT_TRUE(Path::isGone(home.url("real/inner", true)));
}
