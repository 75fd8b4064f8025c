// Trees large enough that the folder walk and the removal hand work to the shared pool.

#include "platform/Path.h"
#include "platform/WorkerPool.h"
#include "support/SwapRace.h"
#include "support/TempHome.h"

#include <atomic>
#include <dirent.h>
#include <filesystem>
#include <gtest/gtest.h>
#include <stdexcept>
#include <sys/resource.h>
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
        for (int i = 0; i < 5; ++i) {
            EXPECT_TRUE(test::exists(home.pathOf("victim/keep" + std::to_string(i))));
        }
        EXPECT_TRUE(test::exists(home.pathOf("victim/nested/keep")));
    }
}

// With hardly a descriptor to spare the walks close what they can and wait for the rest; they
// never skip a folder for want of one, so sizes stay exact and removals complete.
TEST(ParallelWalkTest, ShortOfDescriptorsWalksStayExact) {
    TempHome home;
    const std::uint64_t wide = layOutWideTree(home, "tree", 200, 6);
    std::string path = "deep";
    std::uint64_t deep = 0;
    for (int level = 0; level < 150; ++level) {
        path += "/l";
        home.file(path + "/x", 3);
        deep += 3;
    }
    rlimit saved{};
    ASSERT_EQ(getrlimit(RLIMIT_NOFILE, &saved), 0);
    rlimit tight = saved;
    tight.rlim_cur = std::max<rlim_t>(32, openDescriptors() + 6);
    ASSERT_EQ(setrlimit(RLIMIT_NOFILE, &tight), 0);
    const auto wideSize = Path::directorySize(home.url("tree", true));
    const auto deepSize = Path::directorySize(home.url("deep", true));
    const bool removed = Path::remove(home.url("deep", true));
    setrlimit(RLIMIT_NOFILE, &saved);
    EXPECT_EQ(wideSize, wide);
    EXPECT_EQ(deepSize, deep);
    EXPECT_TRUE(removed);
}

// A piece that throws hands its exception to the caller waiting for the job; the other pieces
// still run and the pool goes on working.
TEST(ParallelWalkTest, AThrowingPieceReachesItsWaiter) {
    WorkerPool pool(2);
    std::atomic<int> ran = 0;
    {
        WorkerPool::Group group;
        pool.submit(group, [] { throw std::runtime_error("piece failed"); });
        for (int i = 0; i < 8; ++i) {
            pool.submit(group, [&] { ++ran; });
        }
        EXPECT_THROW(pool.runUntilDone(group), std::runtime_error);
        EXPECT_EQ(ran.load(), 8);
    }
    WorkerPool::Group next;
    pool.submit(next, [&] { ++ran; });
    EXPECT_NO_THROW(pool.runUntilDone(next));
    EXPECT_EQ(ran.load(), 9);
}
