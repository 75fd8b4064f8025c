// The walk's stack of open folders: far deeper trees than the descriptor budget, and an
// ancestor reopened after its descriptor was closed that must still be the folder walked down.

#include "platform/fs/DescriptorStack.h"
#include "platform/fs/Path.h"
#include "support/TempHome.h"

#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>

using namespace sorvane;
using test::TempHome;

// Far deeper than any path the system accepts, so built from inside, one level at a time.
TEST(DescriptorStackTest, HundredThousandLevelsDeepAreMeasuredAndRemovedWhole) {
    TempHome home;
    const std::string top = home.folder("deep");
    const auto working = std::filesystem::current_path();
    std::filesystem::current_path(top);
    for (int level = 1; level <= 100000; ++level) {
        std::filesystem::create_directory("d");
        std::filesystem::current_path("d");
        if (level % 10000 == 0) {
            std::ofstream("f") << "1234567";
        }
    }
    std::filesystem::current_path(working);
    EXPECT_EQ(Path::directorySize(Url::folder(top)), (MeasuredSize{10U * 7, true}));
    EXPECT_TRUE(Path::remove(Url::folder(top), {}).gone);
    EXPECT_FALSE(test::exists(top));
}

// Deeper than the descriptor budget, so that the shallow levels are closed: climbing back
// reopens each through "..", and a level moved elsewhere meanwhile stops the climb there instead
// of leading the walk into the folder it now lies in.
TEST(DescriptorStackTest, AReopenedAncestorMustBeTheFolderWalkedDown) {
    TempHome home;
    std::string path = "top";
    for (int level = 1; level <= 80; ++level) {
        path += "/l" + std::to_string(level);
    }
    home.folder(path);
    DescriptorStack stack(open(home.pathOf("top").c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    for (int level = 1; level <= 80; ++level) {
        ASSERT_TRUE(stack.push("l" + std::to_string(level)));
    }
    // The tenth level moves into a folder of its own: the climb reopens the levels closed below
    // the budget up to it, and stops there.
    std::filesystem::rename(home.pathOf(path.substr(0, path.find("/l11"))),
                            home.folder("elsewhere") + "/l10");
    int climbed = 0;
    while (stack.depth() > 1 && stack.pop()) {
        ++climbed;
    }
    EXPECT_EQ(climbed, 70);
}
