// Removal reaches its location afresh from the anchor every time, so that a folder on the way
// swapped for a link by its owner never leads it outside.

#include "platform/fs/Path.h"
#include "support/BundleFixture.h"
#include "support/Processes.h"
#include "support/SafetySkip.h"
#include "support/SwapRace.h"
#include "support/TempHome.h"

#include <filesystem>
#include <gtest/gtest.h>

using namespace sorvane;
using namespace sorvane::test;

namespace fs = std::filesystem;

// Root removes, one by one, folders of a cache owned by another user, who swaps the cache
// folder for a link to a root-owned copy of the same tree, and back, as fast as it can. Every
// removal resolves its location afresh from the home, so not one file of the copy goes.
TEST(FolderRemovalTest, ParentSwappedByItsOwnerDuringRootRemovalsNeverLeadsOutside) {
    if (!runningAsRoot()) {
        SORVANE_SKIP_SAFETY_TEST("the race needs root removing in another user's home");
    }
    constexpr int trials = 1000;
    TempHome home;
    const OutsideFolder victim;
    for (int i = 0; i < trials; ++i) {
        const std::string folder = "/sel/d" + std::to_string(i);
        home.file("Library/Caches" + folder + "/a", 10);
        home.file("Library/Caches" + folder + "/sub/b", 10);
        fs::create_directories(victim.path() + folder + "/sub");
        writeFile(victim.path() + folder + "/a", "");
    }
    home.chownAll(unprivilegedUid(), unprivilegedGid());
    const auto before = describeTree(victim.path());
    const std::string caches = home.pathOf("Library/Caches");
    int removed = 0;
    {
        ChildProcess swapper("/usr/bin/setpriv",
                             {"--reuid=" + std::to_string(unprivilegedUid()),
                              "--regid=" + std::to_string(unprivilegedGid()), "--clear-groups",
                              pathProbe().toStdString(), "swap", caches, victim.path()});
        ASSERT_TRUE(swapper.started());
        for (int i = 0; i < trials; ++i) {
            removed += Path::remove(Url::folder(caches + "/sel/d" + std::to_string(i)), {}).gone;
        }
    }
    swapBack(caches); // in case the swapper was stopped with the link in place
    EXPECT_EQ(describeTree(victim.path()), before);
    EXPECT_GT(removed, 0) << "the removals must have had a chance";
}
