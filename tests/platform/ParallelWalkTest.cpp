// Trees large enough that the folder walk and the removal hand work to the shared pool, beside
// small ones that stay on one thread, all holding links to a folder outside the selection.

#include "platform/Path.h"
#include "platform/WorkerPool.h"
#include "support/SwapRace.h"
#include "support/TempHome.h"

#include <atomic>
#include <filesystem>
#include <gtest/gtest.h>
#include <stdexcept>
#include <sys/resource.h>
#include <thread>
#include <tuple>

using namespace sorvane;

namespace {

std::size_t openDescriptors() {
    using std::filesystem::directory_iterator;
    return static_cast<std::size_t>(
        std::distance(directory_iterator("/proc/self/fd"), directory_iterator()));
}

class ParallelWalkTest : public ::testing::Test {
protected:
    ParallelWalkTest() { home.file("victim/nested/keep", 100); }

    // Folders of small files, a wide folder of hidden ones, a chain of folders wide at every
    // fiftieth level, a package and links out at two levels; returns the size that the walk
    // must report.
    std::uint64_t layOutTree(const std::string& base, int folders, int files, int hidden,
                             int levels) const {
        home.file(base + "/Tool.app/Contents/MacOS/tool", 10);
        home.link(base + "/wide/to-victim", home.pathOf("victim"));
        home.link(base + "/d0/sub/to-victim-file", home.pathOf("victim/nested/keep"));
        std::uint64_t expected =
            10 + home.pathOf("victim").size() + home.pathOf("victim/nested/keep").size();
        for (int i = 0; i < folders; ++i) {
            for (int j = 0; j < files; ++j) {
                const auto size = static_cast<std::uint64_t>((i * 7 + j) % 300);
                home.file(base + "/d" + std::to_string(i) + "/sub/f" + std::to_string(j), size);
                expected += size;
            }
        }
        for (int j = 0; j < hidden; ++j) {
            home.file(base + "/wide/.f" + std::to_string(j), static_cast<std::uint64_t>(j % 50));
            expected += static_cast<std::uint64_t>(j % 50);
        }
        std::string path = base + "/deep";
        for (int level = 0; level < levels; ++level) {
            path += "/l";
            for (int i = 0; level % 50 == 0 && i < 40; ++i) {
                home.file(path + "/side" + std::to_string(i) + "/a/file", 11);
                home.file(path + "/side" + std::to_string(i) + "/b", 5);
                expected += 16;
            }
            home.file(path + "/x", 1);
            expected += 1;
        }
        return expected;
    }

    test::TempHome home;
};

} // namespace

// With hardly a descriptor to spare the walks close what they can and wait for the rest; they
// never skip a folder for want of one, so sizes stay exact and removals complete.
TEST_F(ParallelWalkTest, TreesAreMeasuredAndRemovedAsTheyLieOnSeveralThreads) {
    // Name, folders, files in each, hidden files, levels deep, whether short of descriptors.
    const std::tuple<const char*, int, int, int, int, bool> cases[] = {
        {"small", 3, 2, 2, 3, false},
        {"wide", 600, 12, 3000, 400, false},
        {"short of descriptors", 200, 6, 3000, 150, true},
    };
    for (const auto& [name, folders, files, hidden, levels, shortOfDescriptors] : cases) {
        SCOPED_TRACE(name);
        const std::uint64_t size = layOutTree(name, folders, files, hidden, levels);
        const std::string selectedLink = home.link(std::string(name) + "-link", "victim");
        rlimit saved{};
        ASSERT_EQ(getrlimit(RLIMIT_NOFILE, &saved), 0);
        // Captured from the start, so that its file is no descriptor the walks could use.
        ::testing::internal::CaptureStdout();
        const std::size_t before = openDescriptors();
        const rlimit tight{std::max<rlim_t>(32, before + 6), saved.rlim_max};
        const bool limited = setrlimit(RLIMIT_NOFILE, shortOfDescriptors ? &tight : &saved) == 0;
        std::atomic<int> wrong = 0;
        std::vector<std::jthread> walkers;
        for (int i = 0; i < 3; ++i) {
            walkers.emplace_back(
                [&] { wrong += Path::directorySize(home.url(name, true)) == size ? 0 : 1; });
        }
        walkers.clear(); // joins them
        // A selected link goes as a link; the folder behind it stays whole.
        const bool linkRemoved = Path::remove(Url::folder(selectedLink));
        const bool treeRemoved = Path::remove(home.url(name, true));
        const std::size_t after = openDescriptors();
        setrlimit(RLIMIT_NOFILE, &saved);
        const std::string printed = ::testing::internal::GetCapturedStdout();
        ASSERT_TRUE(limited);
        EXPECT_EQ(wrong.load(), 0);
        EXPECT_TRUE(linkRemoved && treeRemoved);
        EXPECT_EQ(after, before);
        EXPECT_EQ(printed, "");
        EXPECT_FALSE(test::exists(selectedLink));
        EXPECT_FALSE(test::exists(home.pathOf(name)));
        EXPECT_TRUE(test::exists(home.pathOf("victim/nested/keep")));
    }
}

// Small trees are removed on one thread, wide ones on several: in neither may a folder swapped
// for a link lead the removal outside.
TEST_F(ParallelWalkTest, FolderSwappedForALinkMidwayNeverLeadsOutside) {
    const struct { int folders, files, rounds; } cases[] = {{150, 8, 4}, {1200, 4, 2}};
    for (const auto& c : cases) {
        for (int round = 0; round < c.rounds; ++round) {
            SCOPED_TRACE(::testing::Message() << c.folders << " folders, round " << round);
            const std::string base = "sel" + std::to_string(c.folders * 10 + round);
            layOutTree(base, c.folders, c.files, 0, 0);
            std::vector<std::string> swapped;
            for (int i = c.folders - 1; i >= 0; --i) {
                const std::string folder = home.pathOf(base + "/d" + std::to_string(i));
                swapped.insert(swapped.end(), {folder, folder + ".moved/sub"});
            }
            ::testing::internal::CaptureStdout();
            {
                const test::SwapRace race(swapped, home.pathOf("victim"));
                Path::remove(home.url(base, true));
            }
            ::testing::internal::GetCapturedStdout();
            EXPECT_TRUE(test::exists(home.pathOf("victim/nested/keep")));
        }
    }
}

// A piece that throws hands its exception to the caller waiting for the job; the other pieces
// still run and the pool goes on working.
TEST_F(ParallelWalkTest, AThrowingPieceReachesItsWaiter) {
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
