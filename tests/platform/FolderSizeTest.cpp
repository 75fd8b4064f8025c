#include "platform/Path.h"
#include "platform/SizeMemo.h"
#include "support/Processes.h"
#include "support/TempHome.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sstream>
#include <sys/stat.h>
#include <unistd.h>

using namespace sorvane;
using test::TempHome;

namespace {

// What `find` counts: the apparent size of every entry below the folder that is not a folder,
// links with their own size. It serves as the independent answer for the walk.
std::uint64_t findSum(const test::ProcessResult& result) {
    std::istringstream lines(result.out);
    std::uint64_t sum = 0;
    std::uint64_t value = 0;
    while (lines >> value) {
        sum += value;
    }
    return sum;
}

QStringList findArguments(const std::string& folder) {
    return {QString::fromStdString(folder),
            QStringLiteral("-mindepth"),
            QStringLiteral("1"),
            QStringLiteral("!"),
            QStringLiteral("-type"),
            QStringLiteral("d"),
            QStringLiteral("-printf"),
            QStringLiteral("%s\\n")};
}

// A tree with everything the walk must get right: nesting, hidden files and folders, a package,
// links to a file, to a big folder outside and to nothing, empty files and an unreadable folder.
void layOutMixedTree(const TempHome& home) {
    home.file("Library/Caches/app/data.bin", 12345);
    home.file("Library/Caches/app/.hidden", 77);
    home.file("Library/Caches/app/.cache/inner/blob", 4096);
    home.file("Library/Caches/app/deep/a/b/c/d/e/leaf", 3);
    home.file("Library/Caches/app/empty-file", 0);
    home.folder("Library/Caches/app/empty-folder");
    home.file("Library/Caches/app/Tool.app/Contents/MacOS/tool", 2048);
    home.file("Library/Caches/app/Tool.app/Contents/Info.plist", 310);
    home.file("outside/big", 1000000);
    home.link("Library/Caches/app/to-file", home.pathOf("outside/big"));
    home.link("Library/Caches/app/to-folder", home.pathOf("outside"));
    home.link("Library/Caches/app/dangling", "no/such/thing");
    home.file("Library/Caches/app/locked/secret", 999);
    home.file("Library/Caches/app/locked/sub/more", 1);
    home.setMode("Library/Caches/app/locked", 0);
    for (int i = 0; i < 50; ++i) {
        home.file("Library/Caches/app/many/file" + std::to_string(i),
                  static_cast<std::uint64_t>(i * 37));
    }
}

} // namespace

TEST(FolderSizeTest, MatchesFindOnAMixedTree) {
    TempHome home;
    layOutMixedTree(home);
    const std::string folder = home.pathOf("Library/Caches/app");
    const auto found = test::run(QStringLiteral("find"), findArguments(folder));
    ASSERT_EQ(found.exitCode, 0) << found.err;
    const std::uint64_t expected = findSum(found);
    ASSERT_GT(expected, 12345U + 4096U);
    EXPECT_EQ(Path::directorySize(Url::folder(folder)), expected);
    // The link to the folder outside is counted as a link, not as the megabyte behind it.
    EXPECT_LT(expected, 1000000U);
}

TEST(FolderSizeTest, SmallCasesAndLocationSizes) {
    TempHome home;
    home.folder("empty");
    home.file("plain", 500);
    home.file("hidden-only/.a", 10);
    home.file("hidden-only/.b/c", 20);
    home.folder("target/inside");
    home.file("target/inside/x", 64);
    const std::string folderLink = home.link("folder-link", home.pathOf("target"));
    const std::string dangling = home.link("dangling", "missing");

    EXPECT_EQ(Path::directorySize(home.url("empty", true)), 0U);
    EXPECT_EQ(Path::directorySize(home.url("missing", true)), 0U);
    EXPECT_EQ(Path::directorySize(home.url("plain")), 0U);
    EXPECT_EQ(Path::directorySize(home.url("hidden-only", true)), 30U);

    EXPECT_EQ(Path::pathType(home.pathOf("plain")), PathType::file);
    EXPECT_EQ(Path::pathType(home.pathOf("empty")), PathType::directory);
    // A link is looked at as itself, wherever it leads.
    EXPECT_EQ(Path::pathType(folderLink), PathType::file);
    EXPECT_EQ(Path::pathType(dangling), PathType::file);
    EXPECT_EQ(Path::pathType(home.pathOf("missing")), PathType::invalid);
    EXPECT_TRUE(Path::exists(Url(folderLink)));
    EXPECT_TRUE(Path::exists(Url(dangling)));
    EXPECT_FALSE(Path::isDirectory(folderLink));
    EXPECT_FALSE(Path::isDirectory(home.pathOf("plain")));

    EXPECT_EQ(Path::fileSize(home.url("plain")), 500U);
    EXPECT_EQ(Path::fileSize(home.url("missing")), 0U);
    EXPECT_EQ(Path::size(home.url("plain")), 500U);
    EXPECT_EQ(Path::size(home.url("target", true)), 64U);
    EXPECT_EQ(Path::size(home.url("missing")), 0U);
    // Deleting a link frees the link, never what it points at.
    struct stat info {};
    ASSERT_EQ(lstat(folderLink.c_str(), &info), 0);
    EXPECT_EQ(Path::size(Url(folderLink)), static_cast<std::uint64_t>(info.st_size));
    EXPECT_EQ(Path::directorySize(Url::folder(folderLink)), 0U);
}

TEST(FolderSizeTest, UnreadableFoldersLoseOnlyTheirOwnEntries) {
    TempHome home;
    layOutMixedTree(home);
    // Searchable but not listable, and listable but not searchable: each hides only its own.
    home.file("Library/Caches/app/no-list/kept-hidden", 111);
    home.setMode("Library/Caches/app/no-list", 0311);
    home.file("Library/Caches/app/no-search/unstatable", 222);
    home.setMode("Library/Caches/app/no-search", 0644);
    const std::string folder = home.pathOf("Library/Caches/app");

    const auto oracle = test::runUnprivileged(QStringLiteral("find"), findArguments(folder));
    ASSERT_NE(oracle.exitCode, 0) << "find should have met unreadable folders";
    const std::uint64_t expected = findSum(oracle);

    const auto probe = test::runUnprivileged(
        test::pathProbe(), {QStringLiteral("size"), QString::fromStdString(folder)});
    ASSERT_EQ(probe.exitCode, 0) << probe.err;
    EXPECT_EQ(std::stoull(probe.err), expected);
    EXPECT_EQ(probe.out, "") << "measuring prints nothing";
    // Everything readable is still there: the sizes of the visible files alone exceed this.
    EXPECT_GT(expected, 12345U + 2048U + 310U);
}

TEST(FolderSizeTest, HundredThousandLevelsDeep) {
    TempHome home;
    const std::string top = home.folder("deep");
    int folder = open(top.c_str(), O_RDONLY | O_DIRECTORY);
    ASSERT_GE(folder, 0);
    std::uint64_t expected = 0;
    constexpr int levels = 100000;
    for (int level = 1; level <= levels; ++level) {
        ASSERT_EQ(mkdirat(folder, "d", 0755), 0) << level;
        const int child = openat(folder, "d", O_RDONLY | O_DIRECTORY);
        ASSERT_GE(child, 0) << level;
        close(folder);
        folder = child;
        if (level % 10000 == 0 || level == levels) {
            const int file = openat(folder, "f", O_WRONLY | O_CREAT, 0644);
            ASSERT_GE(file, 0);
            ASSERT_EQ(write(file, "1234567", 7), 7);
            close(file);
            expected += 7;
        }
    }
    close(folder);

    EXPECT_EQ(Path::directorySize(Url::folder(top)), expected);
    EXPECT_TRUE(Path::remove(Url::folder(top)));
    EXPECT_FALSE(test::exists(top));
}

// While a search keeps a memo, a folder measured as one item counts with that size inside a
// larger item instead of being walked again; once the search is over, every size is fresh.
TEST(FolderSizeTest, ASearchMeasuresEachFolderOnce) {
    TempHome home;
    home.file("caches/browser/cache/a", 100);
    home.file("caches/browser/cache/deep/b", 20);
    home.file("caches/browser/prefs", 3);
    home.file("caches/other/c", 7);
    {
        const SizeMemo memo;
        EXPECT_EQ(Path::directorySize(home.url("caches/browser/cache", true)), 120U);
        // Grown since it was measured: the search still holds its first size of it.
        home.file("caches/browser/cache/late", 1000);
        EXPECT_EQ(Path::directorySize(home.url("caches/browser", true)), 123U);
        EXPECT_EQ(Path::directorySize(home.url("caches", true)), 130U);
    }
    EXPECT_EQ(Path::directorySize(home.url("caches", true)), 1130U);
    EXPECT_EQ(Path::directorySize(home.url("caches/browser/cache", true)), 1120U);
}
