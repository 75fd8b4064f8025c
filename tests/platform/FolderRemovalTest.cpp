#include "platform/Path.h"
#include "support/Processes.h"
#include "support/TempHome.h"

#include <atomic>
#include <cstdio>
#include <filesystem>
#include <gtest/gtest.h>
#include <thread>

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
        std::atomic<bool> done = false;
        std::thread swapper([&] {
            // Replaces folders by links to the victim while the removal runs.
            for (int i = folders - 1; i >= 0 && !done.load(); --i) {
                const std::string folder = home.pathOf(base + "/d" + std::to_string(i));
                std::error_code error;
                std::filesystem::rename(folder, folder + ".moved", error);
                std::filesystem::create_symlink(home.pathOf("victim"), folder, error);
                std::filesystem::rename(folder + ".moved/sub", folder + ".moved/sub2", error);
                std::filesystem::create_directory_symlink(home.pathOf("victim"),
                                                          folder + ".moved/sub", error);
            }
        });
        ::testing::internal::CaptureStdout();
        Path::remove(home.url(base, true));
        done = true;
        swapper.join();
        ::testing::internal::GetCapturedStdout();
        expectVictimIntact(home);
    }
}
