#include "platform/Directory.h"
#include "platform/Path.h"
#include "support/Processes.h"
#include "support/TempHome.h"

#include <gtest/gtest.h>

using namespace sorvane;
using test::TempHome;

namespace {

std::vector<std::string> relativePaths(const TempHome& home, const std::vector<Url>& urls) {
    std::vector<std::string> paths;
    for (const auto& url : urls) {
        paths.push_back(url.absoluteString().substr(home.path().size() + 1));
    }
    return paths;
}

} // namespace

TEST(ListingTest, ImmediateContentsSkipHiddenEntriesAndResolveLinks) {
    TempHome home;
    home.folder("top/b-folder");
    home.folder("top/a-folder");
    home.folder("top/.hidden-folder");
    home.file("top/file.txt", 1);
    home.file("top/.hidden-file", 1);
    home.folder("top/b-folder/inner");
    home.folder("elsewhere/target");
    // A link stands for its target only while that lies inside the listed folder.
    home.link("top/c-sibling", "a-folder");
    home.link("top/d-deeper", "b-folder/inner");
    home.link("top/e-absolute-inside", home.pathOf("top/b-folder"));
    home.link("top/f-file", "file.txt");
    home.link("top/g-outside", home.pathOf("elsewhere/target"));
    home.link("top/h-up-and-back", "../top/a-folder");
    home.link("top/i-dangling", "missing");
    home.link("top/j-chain", "c-sibling");

    const auto folders = Path::contents(home.url("top", true), true);
    EXPECT_EQ(relativePaths(home, folders),
              (std::vector<std::string>{"top/a-folder/", "top/b-folder/", "top/b-folder/inner/"}));
    const auto others = Path::contents(home.url("top", true), false);
    EXPECT_EQ(relativePaths(home, others), (std::vector<std::string>{"top/file.txt"}));

    ::testing::internal::CaptureStdout();
    EXPECT_TRUE(Path::contents(home.url("missing", true), true).empty());
    const std::string printed = ::testing::internal::GetCapturedStdout();
    EXPECT_EQ(std::count(printed.begin(), printed.end(), '\n'), 1) << printed;
}

TEST(ListingTest, DeepWalksSkipHiddenEntriesAndNeverEnterPackages) {
    TempHome home;
    home.file("walk/b.txt", 1);
    home.file("walk/a/inner.crash", 1);
    home.file("walk/a/.hidden.crash", 1);
    home.file("walk/.hidden/x.crash", 1);
    home.file("walk/Old.app/Contents/Info.plist", 1);
    home.file("walk/Build.xcarchive/Info.plist", 1);
    home.file("walk/Data.bundle/y.crash", 1);
    home.link("walk/link-to-a", home.pathOf("walk/a"));

    const auto all = Path::entries(home.url("walk", true), true);
    EXPECT_EQ(relativePaths(home, all),
              (std::vector<std::string>{"walk/Build.xcarchive/", "walk/Data.bundle/",
                                        "walk/Old.app/", "walk/a/", "walk/a/inner.crash",
                                        "walk/b.txt", "walk/link-to-a"}));
    const auto shallow = Path::entries(home.url("walk", true), false);
    EXPECT_EQ(shallow.size(), 6U);

    // Packages count as files; plain folders do not.
    EXPECT_EQ(
        relativePaths(home, Path::files(home.url("walk", true))),
        (std::vector<std::string>{"walk/Build.xcarchive/", "walk/Data.bundle/", "walk/Old.app/",
                                  "walk/a/inner.crash", "walk/b.txt", "walk/link-to-a"}));
    EXPECT_EQ(relativePaths(home, Path::files(home.url("walk", true), ".crash")),
              (std::vector<std::string>{"walk/a/inner.crash"}));
    EXPECT_EQ(relativePaths(home, Path::files(home.url("walk", true), ".xcarchive")),
              (std::vector<std::string>{"walk/Build.xcarchive/"}));
    EXPECT_TRUE(Path::files(home.url("missing", true)).empty());

    EXPECT_TRUE(Path::isPackage(Url("/x/Some.APP")));
    EXPECT_TRUE(Path::isPackage(Url("/x/w.appex")));
    EXPECT_FALSE(Path::isPackage(Url("/x/app")));
    EXPECT_FALSE(Path::isPackage(Url("/x/notes.txt")));
}

TEST(ListingTest, ContainersWithoutTheSystemOnes) {
    TempHome home;
    home.folder("Library/Containers/com.apple.mail");
    home.folder("Library/Containers/org.sample.Editor");
    home.folder("Library/Containers/com.apple.Maps");
    home.file("Library/Containers/stray-file", 1);

    std::vector<std::string> names;
    for (const auto& container : Path::containers(true)) {
        names.push_back(container.lastPathComponent());
    }
    EXPECT_EQ(names, (std::vector<std::string>{"org.sample.Editor"}));
    EXPECT_EQ(Path::containers(false).size(), 3U);
}

TEST(ListingTest, UnreadableFolderPrintsOneLineAndListsNothing) {
    TempHome home;
    home.folder("locked/inside");
    home.setMode("locked", 0);
    const auto probe =
        test::runUnprivileged(test::pathProbe(), {QStringLiteral("folders"),
                                                  QString::fromStdString(home.pathOf("locked"))});
    ASSERT_EQ(probe.exitCode, 0) << probe.err;
    EXPECT_EQ(probe.err, "0\n");
    EXPECT_EQ(std::count(probe.out.begin(), probe.out.end(), '\n'), 1) << probe.out;
    EXPECT_NE(probe.out.find("Permission denied"), std::string::npos) << probe.out;
}
