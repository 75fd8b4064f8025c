// Nothing is counted, listed or removed across a mount point, bind mounts of the same file
// system included.

#include "platform/fs/MountTable.h"
#include "platform/fs/Path.h"
#include "support/BundleFixture.h"
#include "support/Processes.h"
#include "support/SafetySkip.h"
#include "support/TempHome.h"

#include <gtest/gtest.h>
#include <optional>
#include <sys/stat.h>
#include <sys/sysmacros.h>

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

// A file system is named by the mount of its root, the shortest of several, with the escapes
// of mountinfo undone; bind mounts of a sub-folder come only when nothing else is listed.
TEST(MountBoundaryTest, AFileSystemIsNamedByWhereItsRootIsMounted) {
    const std::string table = "22 1 8:1 /srv /srv/bound rw - ext4 /dev/sda1 rw\n"
                              "23 1 8:1 / /media/My\\040Disk rw - ext4 /dev/sda1 rw\n"
                              "24 1 8:1 / /mnt/a/much/longer rw - ext4 /dev/sda1 rw\n"
                              "25 1 8:2 /home /bound rw - ext4 /dev/sda2 rw\n"
                              "broken line\n";
    const std::vector<std::pair<std::uint64_t, std::optional<std::string>>> rows{
        {makedev(8, 1), "/media/My Disk"},
        {makedev(8, 2), "/bound"},
        {makedev(8, 3), std::nullopt},
    };
    for (const auto& [device, expected] : rows) {
        EXPECT_EQ(MountTable::mountPointIn(table, device), expected) << device;
    }
    struct stat root {};
    ASSERT_EQ(stat("/", &root), 0);
    EXPECT_EQ(MountTable::mountPointOf(root.st_dev), "/");
}
