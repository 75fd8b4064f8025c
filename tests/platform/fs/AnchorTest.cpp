// Locations are reached from the deepest anchor that holds them; the anchor itself may be a
// link, nothing below it may, whether the kernel resolves the path or we walk it one component
// at a time, and a refusal says why.

#include "platform/fs/Anchor.h"
#include "support/TempHome.h"

#include <cerrno>
#include <fcntl.h>
#include <gtest/gtest.h>

using namespace sorvane;

TEST(AnchorTest, LocationsAreReachedFromTheirAnchorAndNeverThroughALinkBelowIt) {
    const test::TempHome home;
    home.file("a/b/file", 3);
    home.file("ab/file", 3);
    home.link("a/inside", "b");
    home.link("anchor-link", home.pathOf("a/b"));
    Anchor::setHomeFolder(home.path());
    Anchor::setBaseFolders({home.pathOf("a"), home.pathOf("a/b"), home.pathOf("anchor-link")});
    // The deepest anchor holding the location, whole components only.
    EXPECT_EQ(Anchor::of(home.pathOf("ab/file")), home.path());
    for (const bool kernel : {true, false}) {
        Anchor::setKernelResolverAllowed(kernel);
        // Location, errno of opening it as a file (0 when it opens).
        for (const auto& [relative, error] :
             {std::pair{"anchor-link/file", 0},
              // A link that stays below the anchor is still one.
              std::pair{"a/inside/file", ELOOP}, std::pair{"a/inside", ELOOP},
              std::pair{"a/./b/file", EINVAL}, std::pair{"a/missing/file", ENOENT}}) {
            SCOPED_TRACE(std::string(relative) + (kernel ? " (kernel)" : " (by component)"));
            EXPECT_EQ(Anchor::open(home.url(relative), O_RDONLY).error(), error);
        }
    }
    Anchor::setBaseFolders({});
    Anchor::setHomeFolder(std::nullopt);
    Anchor::setKernelResolverAllowed(true);
}
