// Trees large enough that the folder walk and the removal hand work to the shared pool.

#include "platform/Path.h"
#include "support/TempHome.h"

#include <atomic>
#include <dirent.h>
#include <filesystem>
#include <gtest/gtest.h>
#include <thread>

using namespace sorvane;
using test::TempHome;

namespace {

std::size_t openDescriptors() {
    std::size_t count = 0;
    for ([[maybe_unused]] const auto& entry :
         std::filesystem::directory_iterator("/proc/self/fd")) {
        ++count;
    }
    return count;
}

// Folders of many small files, one very wide folder, hidden entries and links; returns the
// size that the walk must report.
std::uint64_t layOutWideTree(const TempHome& home, const std::string& base, int folders,
                             int filesPerFolder) {
    std::uint64_t expected = 0;
    for (int i = 0; i < folders; ++i) {
        for (int j = 0; j < filesPerFolder; ++j) {
            const auto size = static_cast<std::uint64_t>((i * 7 + j) % 300);
            home.file(base + "/d" + std::to_string(i) + "/sub/f" + std::to_string(j), size);
            expected += size;
        }
    }
    for (int j = 0; j < 3000; ++j) {
        const auto size = static_cast<std::uint64_t>(j % 50);
        home.file(base + "/wide/.f" + std::to_string(j), size);
        expected += size;
    }
    home.file("outside/big", 5000000);
    const std::string link = home.link(base + "/wide/to-outside", home.pathOf("outside"));
    expected += std::filesystem::read_symlink(link).string().size();
    return expected;
}

} // namespace

TEST(ParallelWalkTest, WideTreeSizeIsExactAndLeavesNoDescriptorOpen) {
    TempHome home;
    const std::uint64_t expected = layOutWideTree(home, "tree", 600, 12);
    const std::size_t before = openDescriptors();
    for (int round = 0; round < 3; ++round) {
        EXPECT_EQ(Path::directorySize(home.url("tree", true)), expected) << round;
    }
    EXPECT_EQ(openDescriptors(), before);
}

TEST(ParallelWalkTest, DeepAndWideTreeSizeIsExact) {
    TempHome home;
    std::string path = "deep";
    std::uint64_t expected = 0;
    for (int level = 0; level < 400; ++level) {
        path += "/l";
        if (level % 50 == 0) {
            for (int i = 0; i < 40; ++i) {
                home.file(path + "/side" + std::to_string(i) + "/a/file", 11);
                home.file(path + "/side" + std::to_string(i) + "/b", 5);
                expected += 16;
            }
        }
        home.file(path + "/x", 1);
        expected += 1;
    }
    EXPECT_EQ(Path::directorySize(home.url("deep", true)), expected);
    EXPECT_TRUE(Path::remove(home.url("deep", true)));
    EXPECT_FALSE(test::exists(home.pathOf("deep")));
}

TEST(ParallelWalkTest, WalksOnSeveralThreadsAtOnceAgree) {
    TempHome home;
    const std::uint64_t first = layOutWideTree(home, "one", 300, 10);
    const std::uint64_t second = layOutWideTree(home, "two", 200, 15);
    std::atomic<int> wrong = 0;
    std::vector<std::thread> walkers;
    for (int i = 0; i < 4; ++i) {
        walkers.emplace_back([&, i] {
            const bool odd = i % 2 == 1;
            const auto size = Path::directorySize(home.url(odd ? "two" : "one", true));
            if (size != (odd ? second : first)) {
                ++wrong;
            }
        });
    }
    for (auto& walker : walkers) {
        walker.join();
    }
    EXPECT_EQ(wrong.load(), 0);
}

TEST(ParallelWalkTest, RemovesAWideTreeWithoutALine) {
    TempHome home;
    layOutWideTree(home, "tree", 500, 10);
    ::testing::internal::CaptureStdout();
    const bool removed = Path::remove(home.url("tree", true));
    const std::string printed = ::testing::internal::GetCapturedStdout();
    EXPECT_TRUE(removed);
    EXPECT_EQ(printed, "");
    EXPECT_FALSE(test::exists(home.pathOf("tree")));
    // The link's target outside the selection is untouched.
    EXPECT_TRUE(test::exists(home.pathOf("outside/big")));
}

TEST(ParallelWalkTest, WideTreeFolderSwappedForALinkMidwayNeverLeadsOutside) {
    TempHome home;
    for (int i = 0; i < 5; ++i) {
        home.file("victim/keep" + std::to_string(i), 100);
    }
    home.file("victim/nested/keep", 100);
    constexpr int folders = 1200;
    for (int round = 0; round < 2; ++round) {
        const std::string base = "sel" + std::to_string(round);
        for (int i = 0; i < folders; ++i) {
            for (int j = 0; j < 4; ++j) {
                home.file(base + "/d" + std::to_string(i) + "/sub/f" + std::to_string(j), 1);
            }
        }
        std::atomic<bool> done = false;
        std::thread swapper([&] {
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
        for (int i = 0; i < 5; ++i) {
            EXPECT_TRUE(test::exists(home.pathOf("victim/keep" + std::to_string(i))));
        }
        EXPECT_TRUE(test::exists(home.pathOf("victim/nested/keep")));
    }
}
