// Trees large enough that the folder walk and the removal hand work to the shared pool, beside
// small ones that stay on one thread, all holding links to a folder outside the selection.

#include "platform/fs/Path.h"
#include "support/SwapRace.h"
#include "support/TempHome.h"

#include <array>
#include <atomic>
#include <filesystem>
#include <gtest/gtest.h>
#include <optional>
#include <sys/resource.h>
#include <thread>
#include <tuple>

using namespace sorvane;

namespace {

long openDescriptors() {
    return std::distance(std::filesystem::directory_iterator("/proc/self/fd"), {});
}

class TreeWalkTest : public ::testing::Test {
protected:
    // Folders of small files, a wide folder of hidden ones, a chain of folders wide at every
    // fiftieth level, a package and links out at two levels; returns the size that the walk
    // must report.
    std::uint64_t layOutTree(const std::string& base, std::uint64_t folders, std::uint64_t files,
                             std::uint64_t hidden, int levels) const {
        home.file(base + "/Tool.app/Contents/MacOS/tool", 10);
        home.link(base + "/wide/to-victim", home.pathOf("victim"));
        home.link(base + "/d0/sub/to-victim-file", home.file("victim/nested/keep", 100));
        std::uint64_t expected =
            10 + home.pathOf("victim").size() + home.pathOf("victim/nested/keep").size();
        for (std::uint64_t i = 0; i < folders; ++i) {
            for (std::uint64_t j = 0; j < files; ++j) {
                const std::uint64_t size = (i * 7 + j) % 300;
                home.file(base + "/d" + std::to_string(i) + "/sub/f" + std::to_string(j), size);
                expected += size;
            }
        }
        for (std::uint64_t j = 0; j < hidden; ++j) {
            home.file(base + "/wide/.f" + std::to_string(j), j % 50);
            expected += j % 50;
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
// never skip a folder for want of one, so sizes stay exact and removals complete. Small trees are
// removed on one thread, wide ones on several: in neither may a folder swapped for a link midway
// lead the removal outside, nor leave a descriptor open.
TEST_F(TreeWalkTest, TreesAreMeasuredAndRemovedAsTheyLieOnSeveralThreads) {
    // Name, folders, files in each, hidden files, levels deep, whether short of descriptors,
    // whether each folder is swapped for a link to the victim while the tree is removed.
    std::vector<std::tuple<std::string, int, int, int, int, bool, bool>> cases{
        {"wide", 600, 12, 3000, 400, false, false},
        {"short of descriptors", 200, 6, 3000, 150, true, false}};
    for (int race = 1; race <= 6; ++race) { // small trees on one thread, wide ones on several
        const bool wide = race > 4;
        cases.emplace_back("raced " + std::to_string(race), wide ? 1200 : 150, wide ? 4 : 8, 0, 0,
                           false, true);
    }
    rlimit saved{};
    ASSERT_EQ(getrlimit(RLIMIT_NOFILE, &saved), 0);
    for (const auto& [name, folders, files, hidden, levels, shortOfDescriptors, raced] : cases) {
        SCOPED_TRACE(name);
        const std::uint64_t size = layOutTree(name, folders, files, hidden, levels);
        const std::string selectedLink = home.link(std::string(name) + "-link", "victim");
        std::vector<std::string> swapped;
        for (int i = folders - 1; raced && i >= 0; --i) {
            const std::string folder = home.pathOf(name + ("/d" + std::to_string(i)));
            swapped.insert(swapped.end(), {folder, folder + ".moved/sub"});
        }
        const long before = openDescriptors();
        const rlimit tight{std::max<rlim_t>(32, static_cast<rlim_t>(before) + 6), saved.rlim_max};
        const bool limited = setrlimit(RLIMIT_NOFILE, shortOfDescriptors ? &tight : &saved) == 0;
        std::atomic<int> wrong = 0;
        const auto walk = [&] {
            wrong += Path::directorySize(home.url(name, true)) != MeasuredSize{size, true};
        };
        // Three at once, joined at the end of the statement.
        std::array<std::jthread, 3>{std::jthread(walk), std::jthread(walk), std::jthread(walk)};
        // A selected link goes as a link; the folder behind it stays whole.
        const RemovalOutcome link = Path::remove(Url::folder(selectedLink), {});
        // With no folders to swap the race ends at once.
        std::optional<test::SwapRace> race(std::in_place, swapped, home.pathOf("victim"));
        const RemovalOutcome tree = Path::remove(home.url(name, true), {});
        race.reset();
        const long after = openDescriptors();
        setrlimit(RLIMIT_NOFILE, &saved);
        ASSERT_TRUE(limited);
        EXPECT_EQ(wrong.load(), 0);
        EXPECT_TRUE(link.gone && link.error == 0);
        EXPECT_EQ(after, before);
        // Whatever stays says why and where; only a race may leave something.
        EXPECT_TRUE(tree.gone || tree.error != 0);
        EXPECT_TRUE((tree.gone && tree.error == 0) || raced) << tree.reason();
        EXPECT_TRUE(tree.error == 0 || tree.entry.starts_with(home.pathOf(name))) << tree.reason();
        EXPECT_FALSE(test::exists(selectedLink));
        EXPECT_NE(test::exists(home.pathOf(name)), tree.gone);
        EXPECT_TRUE(test::exists(home.pathOf("victim/nested/keep")));
    }
}
