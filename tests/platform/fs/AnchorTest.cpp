// Locations are reached from the deepest anchor that holds them; the anchor itself may be a
// link, nothing below it may, whether the kernel resolves the path or we walk it one component
// at a time.

#include "platform/fs/Anchor.h"
#include "support/TempHome.h"

#include <QScopeGuard>

#include <cerrno>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <tuple>

using namespace sorvane;
using test::TempHome;

TEST(AnchorTest, LocationsAreReachedFromTheirAnchorAndNeverThroughALinkBelowIt) {
    const TempHome home;
    home.file("a/b/file", 3);
    home.file("ab/file", 3);
    home.link("a/inside", "b");
    home.link("a/b/up", "..");
    home.link("anchor-link", home.pathOf("a/b"));
    const auto restore = qScopeGuard([] {
        Anchor::setBaseFolders({});
        Anchor::setHomeFolder(std::nullopt);
        Anchor::setKernelResolverAllowed(true);
    });
    Anchor::setHomeFolder(home.path());
    Anchor::setBaseFolders({home.pathOf("a"), home.pathOf("a/b"), home.pathOf("anchor-link")});

    // The deepest anchor holding the location, whole components only.
    EXPECT_EQ(Anchor::of(home.pathOf("a/b/file")), home.pathOf("a/b"));
    EXPECT_EQ(Anchor::of(home.pathOf("a/inside/file")), home.pathOf("a"));
    EXPECT_EQ(Anchor::of(home.pathOf("ab/file")), home.path());
    EXPECT_EQ(Anchor::of(home.path()), home.path());

    // Location, errno of opening it as a file (0 when it opens).
    const std::tuple<const char*, int> cases[] = {
        {"a/b/file", 0},
        {"ab/file", 0},
        {"anchor-link/file", 0},
        // A link that stays below the anchor is still a link.
        {"a/inside/file", ELOOP},
        {"a/b/up/ab/file", ELOOP},
        {"a/inside", ELOOP},
        {"a/b/../b/file", EINVAL},
        {"a/./b/file", EINVAL},
        {"a/missing/file", ENOENT},
    };
    for (const bool kernel : {true, false}) {
        Anchor::setKernelResolverAllowed(kernel);
        for (const auto& [relative, error] : cases) {
            SCOPED_TRACE(std::string(relative) + (kernel ? " (kernel)" : " (by component)"));
            const FileDescriptor opened = Anchor::open(home.url(relative), O_RDONLY);
            EXPECT_EQ(opened.isOpen(), error == 0);
            EXPECT_EQ(opened.error(), error);
        }
        const FileDescriptor folder = Anchor::open(home.url("a", true), O_PATH | O_DIRECTORY);
        ASSERT_TRUE(folder.isOpen());
        EXPECT_TRUE(Anchor::openBeneath(folder.get(), "b/file", O_RDONLY).isOpen());
        EXPECT_EQ(Anchor::openBeneath(folder.get(), "inside/file", O_RDONLY).error(), ELOOP);
    }
}
