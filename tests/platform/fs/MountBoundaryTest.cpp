// Nothing is counted, listed or removed across a mount point, bind mounts of the same file
// system included.

#include "platform/fs/Path.h"
#include "support/BundleFixture.h"
#include "support/Processes.h"
#include "support/SafetySkip.h"
#include "support/TempHome.h"

#include <gtest/gtest.h>

using namespace sorvane;
using namespace sorvane::test;

// A folder of the same file system bound inside a selected folder is neither measured nor
// emptied: the selected folder stays, and the removal names the mount point as the reason.
TEST(MountBoundaryTest, ABindMountInsideAFolderIsNeitherCountedNorEmptied) {
    const TempHome home;
    const OutsideFolder mounted;
    writeFile(mounted.pathOf("data"), std::string(100000, 'x'));
    const auto before = describeTree(mounted.path());
    home.file("cache/data", 100);
    const std::string mountPoint = home.folder("cache/deeper/mounted");
    const QString script = QStringLiteral("mount --bind \"$1\" \"$2\" || exit 90; "
                                          "\"$3\" size \"$4\" && \"$3\" remove \"$4\"");
    const auto inside =
        test::run(QStringLiteral("unshare"),
                  QStringLiteral("--mount --propagation private sh -c").split(QLatin1Char(' '))
                      << script << QStringLiteral("sh") << QString::fromStdString(mounted.path())
                      << QString::fromStdString(mountPoint) << pathProbe()
                      << QString::fromStdString(home.pathOf("cache")));
    if (inside.exitCode != 0) {
        SORVANE_SKIP_SAFETY_TEST("no private mount namespace could be made here: " + inside.err);
    }
    EXPECT_EQ(inside.out, "100\nleft\n") << "only the folder's own file is counted";
    EXPECT_EQ(inside.err, "sorvane.fs: " + mountPoint + ": Invalid cross-device link\n");
    EXPECT_FALSE(exists(home.pathOf("cache/data")));
    EXPECT_TRUE(exists(mountPoint));
    EXPECT_EQ(describeTree(mounted.path()), before);
}
