#include "platform/fs/Path.h"
#include "platform/fs/Anchor.h"
#include "platform/fs/SizeMemo.h"
#include "support/BundleFixture.h"
#include "support/Processes.h"
#include "support/SafetySkip.h"
#include "support/TempHome.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <tuple>
#include <unistd.h>

using namespace sorvane;
using test::TempHome;
using namespace std::string_literals;

// As another user, a folder that cannot be listed or searched loses only its own entries and
// leaves the size marked incomplete; the walk logs nothing, and each failed listing or removal
// logs exactly one line, the system's error text. A folder of the user that denies writing is
// emptied all the same; a missing item counts as removed.
TEST(PathTest, AsAnotherUserOnlyWhatCannotBeReachedIsLeftOut) {
    TempHome home;
    // Nesting, hidden entries, a package, links to a big folder outside and to nothing, empty
    // entries, and folders unreadable, not listable and not searchable.
    home.file("app/data.bin", 12345);
    home.file("app/.hidden", 77);
    home.file("app/.cache/inner/blob", 4096);
    home.file("app/empty-file", 0);
    home.folder("app/empty-folder");
    home.file("app/Tool.app/Contents/MacOS/tool", 2048);
    home.file("outside/big", 1000000);
    home.link("app/to-folder", home.pathOf("outside"));
    home.link("app/dangling", "no/such/thing");
    // Whatever order the walk takes, one unreadable folder comes before a readable sibling.
    home.file("app/one/p/secret", 999);
    home.file("app/one/q/data", 55);
    home.file("app/two/p/data", 66);
    home.file("app/two/q/secret", 999);
    home.file("app/no-list/kept-hidden", 111);
    home.file("app/no-search/unstatable", 222);
    home.file("sel/free/a", 10);
    home.file("sel/locked/one", 10);
    home.file("sel/z-after", 10);
    if (test::runningAsRoot()) {
        home.chownAll(test::unprivilegedUid(), test::unprivilegedGid());
    }
    home.setMode("app/one/p", 0);
    home.setMode("app/two/q", 0);
    home.setMode("app/no-list", 0311);
    home.setMode("app/no-search", 0644);
    home.setMode("sel/locked", 0555);
    // Every entry below the folder that this user can reach and that is not a folder, links with
    // their own size, the link to the folder outside not as the megabyte behind it.
    const std::uint64_t readable = 12345 + 77 + 4096 + 2048 + 55 + 66 +
                                   home.pathOf("outside").size() + "no/such/thing"s.size();

    // Operation, location, answer, lines printed, error text.
    const std::tuple<const char*, std::string, std::string, long, const char*> probes[] = {
        {"size", home.pathOf("app"), std::to_string(readable) + " incomplete\n", 0, ""},
        // Once the process ends, walks stop at their next entry and say they did not finish.
        {"size-quitting", home.pathOf("sel"), "10 incomplete\n", 0, ""},
        {"remove-quitting", home.pathOf("sel"), "left\n", 1, "Operation canceled"},
        {"remove", home.pathOf("sel"), "gone\n", 0, ""},
        {"folders", home.pathOf("app/one/p"), "0\n", 1, "Permission denied"},
        {"remove", home.pathOf("missing"), "gone\n", 1, "No such file or directory"},
        {"remove", "/", "left\n", 1, "Device or resource busy"},
    };
    for (const auto& [operation, path, answer, lines, error] : probes) {
        SCOPED_TRACE(operation + (" " + path));
        const auto probe = test::runUnprivileged(test::pathProbe(), {operation, path.c_str()});
        ASSERT_EQ(probe.exitCode, 0);
        EXPECT_EQ(probe.out, answer);
        EXPECT_EQ(std::count(probe.err.begin(), probe.err.end(), '\n'), lines) << probe.err;
        EXPECT_NE(probe.err.find(error), std::string::npos) << probe.err;
    }
    EXPECT_FALSE(test::exists(home.pathOf("sel")));
}

// A Go module cache, whose folders Go makes read-only, goes whole when its user removes it, and
// through a link to a read-only folder elsewhere only the link goes. What only another user may
// empty stays with its reason, and so does a selection whose parent denies writing; what stays
// keeps its mode, and nothing above the selection changes.
TEST(PathTest, ReadOnlyFoldersOfTheRemovingUserAreEmptied) {
    if (!test::runningAsRoot()) {
        SORVANE_SKIP_SAFETY_TEST("only root can give a folder to another user");
    }
    TempHome home;
    const test::OutsideFolder outside;
    std::filesystem::create_directory(outside.pathOf("ro"));
    test::writeFile(outside.pathOf("ro/kept"), "x");
    std::filesystem::permissions(outside.pathOf("ro"), std::filesystem::perms(0555));
    // The remover's own, so that only never following the link keeps it as it is.
    for (const char* entry : {"ro", "ro/kept"}) {
        ASSERT_EQ(lchown(outside.pathOf(entry).c_str(), test::unprivilegedUid(), 0), 0);
    }
    home.link("go/pkg/mod/cache/elsewhere", outside.pathOf("ro"));
    home.goModuleCache("go");
    home.goModuleCache("theirs");
    home.goModuleCache("locked/go");
    home.chownAll(test::unprivilegedUid(), test::unprivilegedGid());
    const std::string module = home.pathOf("theirs/pkg/mod/golang.org/x/text@v0.14.0");
    ASSERT_EQ(lchown(module.c_str(), 0, 0), 0);
    home.setMode("locked", 0555);
    // Location, answer, reason logged.
    const std::tuple<std::string, std::string, std::string> removals[] = {
        {"go", "gone\n", ""},
        {"theirs", "left\n", module + "/LICENSE: Permission denied"},
        {"locked/go", "left\n", home.pathOf("locked/go") + ": Permission denied"},
    };
    for (const auto& [location, answer, reason] : removals) {
        SCOPED_TRACE(location);
        const auto probe =
            test::runUnprivileged(test::pathProbe(), {"remove", home.pathOf(location).c_str()});
        EXPECT_EQ(probe.out, answer);
        EXPECT_TRUE(reason.empty() ? probe.err.empty()
                                   : probe.err.find(reason) != std::string::npos)
            << probe.err;
    }
    // What stays keeps its mode, emptied in part or not at all.
    for (const std::string& folder : {outside.pathOf("ro"), module, home.pathOf("theirs/pkg/mod"),
                                      home.pathOf("locked/go"), home.pathOf("locked")}) {
        EXPECT_EQ(std::filesystem::symlink_status(folder).permissions(),
                  std::filesystem::perms(0555))
            << folder;
    }
    EXPECT_TRUE(test::exists(outside.pathOf("ro/kept")) && test::exists(module + "/LICENSE"));
    EXPECT_FALSE(test::exists(home.pathOf("theirs/pkg/mod/cache")));
    EXPECT_TRUE(std::filesystem::is_empty(home.pathOf("locked/go")));
}

// Every operation takes an item as it lies, a link as the link wherever it leads. Below its
// anchor a location is reached only through real folders: a link anywhere on the way, or a "."
// or "..", leaves every operation with nothing, whether the kernel resolves the path or we walk
// it one component at a time.
TEST(PathTest, ItemsAreTakenAsThemselvesAndNeverReachedThroughALink) {
    TempHome home;
    for (const bool kernel : {true, false}) {
        SCOPED_TRACE(kernel ? "kernel resolver" : "component by component");
        Anchor::setKernelResolverAllowed(kernel);
        const std::string base = kernel ? "kernel/" : "components/";
        home.file(base + "plain", 500);
        home.file(base + "real/inner/data", 100);
        home.file(base + "real/inner/deeper/more", 50);
        home.link(base + "via", "real");
        home.link(base + "real/inner-link", "inner");
        home.link(base + "folder-link", home.pathOf(base + "real"));
        home.link(base + "dangling", "missing");
        // Location, type, size, entries below it, whether it can be reached and removed.
        const std::tuple<const char*, PathType, std::uint64_t, std::size_t, bool> cases[] = {
            {"missing/item", PathType::invalid, 0, 0, true},
            {"plain", PathType::file, 500, 0, true},
            {"folder-link", PathType::file, home.pathOf(base + "real").size(), 0, true},
            {"dangling", PathType::file, 7, 0, true},
            {"via/inner", PathType::invalid, 0, 0, false},
            {"real/inner-link/deeper", PathType::invalid, 0, 0, false},
            {"real/inner/deeper/..", PathType::invalid, 0, 0, false},
            {"real/./inner", PathType::invalid, 0, 0, false},
            // Last, and whole only when nothing before went through a link into it.
            {"real/inner", PathType::directory, 150, 3, true},
        };
        for (const auto& [name, type, size, entries, reachable] : cases) {
            SCOPED_TRACE(name);
            const std::string path = home.pathOf(base + name);
            const Url url(path, type == PathType::directory);
            EXPECT_EQ(Path::pathType(path), type);
            EXPECT_EQ(Path::isDeletable(path), type != PathType::invalid);
            EXPECT_EQ(Path::size(url).bytes, size);
            EXPECT_EQ(Path::directorySize(Url::folder(path)).bytes,
                      type == PathType::directory ? size : 0);
            EXPECT_EQ(Path::entries(Url::folder(path), true).size(), entries);
            EXPECT_EQ(Path::contents(Url::folder(path), true).empty(), entries == 0);
            EXPECT_EQ(Path::remove(url, {}).gone, reachable);
            EXPECT_EQ(Path::isGone(url), reachable) << "unreachable is not gone";
        }
        // Hidden entries are skipped and packages never entered; a package counts as a file, a
        // plain folder does not. A link among a folder's immediate children stands for its
        // target only while that lies inside the folder.
        home.folder(base + "top/b-folder/inner");
        home.folder(base + "top/a-folder");
        home.folder(base + "top/.hidden-folder");
        home.file(base + "top/file.txt", 1);
        home.file(base + "top/.hidden-file", 1);
        home.link(base + "top/c-sibling", "a-folder");
        home.link(base + "top/d-deeper", "b-folder/inner");
        home.link(base + "top/e-absolute-inside", home.pathOf(base + "top/b-folder"));
        home.link(base + "top/f-file", "file.txt");
        home.link(base + "top/g-outside", home.folder(base + "elsewhere/target"));
        home.link(base + "top/h-up-and-back", "../top/a-folder");
        home.link(base + "top/i-dangling", "missing");
        home.link(base + "top/j-chain", "c-sibling");
        home.file(base + "w/b.txt", 1);
        home.file(base + "w/a/inner.crash", 1);
        home.file(base + "w/a/.hidden.crash", 1);
        home.file(base + "w/.hidden/x.crash", 1);
        home.file(base + "w/Old.app/Contents/Info.plist", 1);
        home.file(base + "w/Build.xcarchive/Info.plist", 1);
        home.file(base + "w/Data.bundle/y.crash", 1);
        home.link(base + "w/link-to-a", home.pathOf(base + "w/a"));
        const Url top = home.url(base + "top", true);
        const Url walk = home.url(base + "w", true);
        const std::pair<std::vector<Url>, std::string> listings[] = {
            {Path::contents(top, true), "top/a-folder/ top/b-folder/ top/b-folder/inner/"},
            {Path::contents(top, false), "top/file.txt"},
            {Path::entries(walk, true), "w/Build.xcarchive/ w/Data.bundle/ w/Old.app/ w/a/ "
                                        "w/a/inner.crash w/b.txt w/link-to-a"},
            {Path::entries(walk, false),
             "w/Build.xcarchive/ w/Data.bundle/ w/Old.app/ w/a/ w/b.txt w/link-to-a"},
            {Path::files(walk),
             "w/Build.xcarchive/ w/Data.bundle/ w/Old.app/ w/a/inner.crash w/b.txt w/link-to-a"},
            {Path::files(walk, ".crash"), "w/a/inner.crash"},
            {Path::files(walk, ".xcarchive"), "w/Build.xcarchive/"},
            {Path::files(home.url(base + "missing", true)), ""},
        };
        for (const auto& [urls, expected] : listings) {
            // The locations relative to the base, in order.
            std::string text;
            for (const auto& url : urls) {
                text += (text.empty() ? "" : " ") +
                        url.absoluteString().substr(home.pathOf(base).size());
            }
            EXPECT_EQ(text, expected);
        }
        // While a search keeps a memo, a folder measured as one item counts with that size
        // inside a larger item instead of being walked again; once the search is over, every
        // size is fresh.
        const std::uint64_t walkSize = 7 + home.pathOf(base + "w/a").size();
        {
            const SizeMemo memo;
            EXPECT_EQ(Path::directorySize(home.url(base + "w/a", true)).bytes, 2U);
            // Grown since it was measured: the search still holds its first size of it.
            home.file(base + "w/a/late", 1000);
            EXPECT_EQ(Path::directorySize(home.url(base + "w/a", true)).bytes, 2U);
            EXPECT_EQ(Path::directorySize(walk).bytes, walkSize);
        }
        EXPECT_EQ(Path::directorySize(walk).bytes, walkSize + 1000);
    }
    Anchor::setKernelResolverAllowed(true);
}
