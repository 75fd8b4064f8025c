// What a removal says it freed is what the file system got back: allocated blocks, each file
// once, nothing of a file that keeps a link outside the selection.

#include "platform/fs/Path.h"
#include "support/BundleFixture.h"
#include "support/Processes.h"
#include "support/SafetySkip.h"
#include "support/TempHome.h"

#include <filesystem>
#include <functional>
#include <gtest/gtest.h>
#include <set>
#include <sys/stat.h>
#include <unistd.h>

using namespace sorvane;
using namespace sorvane::test;

namespace {

// The allocated size of everything at and below path, each file once however many links it
// has there.
std::uint64_t allocatedTree(const std::string& path) {
    std::set<ino_t> seen;
    std::uint64_t total = 0;
    const auto add = [&](const std::string& entry) {
        struct stat info {};
        if (lstat(entry.c_str(), &info) == 0 && seen.insert(info.st_ino).second) {
            total += static_cast<std::uint64_t>(info.st_blocks) * 512;
        }
    };
    add(path);
    if (std::filesystem::is_directory(std::filesystem::symlink_status(path))) {
        for (const auto& entry : std::filesystem::recursive_directory_iterator(path)) {
            add(entry.path().string());
        }
    }
    return total;
}

void link(const std::string& from, const std::string& to) {
    ASSERT_EQ(::link(from.c_str(), to.c_str()), 0) << to;
}

} // namespace

TEST(FreedSpaceTest, FreedIsTheAllocatedSizeOfWhatWentEachFileOnce) {
    const TempHome home;
    struct Row {
        const char* name;
        std::function<std::string()> make; // returns the location
        std::uint64_t keptElsewhere;       // allocated bytes a link outside keeps
    };
    const Row rows[] = {
        {"two more links inside count once",
         [&] {
             const std::string a = home.file("links/a", 100000);
             link(a, home.pathOf("links/b"));
             link(a, home.folder("links/sub") + "/c");
             return home.pathOf("links");
         },
         0},
        {"a sparse file counts its blocks, not its length",
         [&] {
             home.folder("sparse");
             writeFile(home.pathOf("sparse/f"), "x");
             std::filesystem::resize_file(home.pathOf("sparse/f"), 64 << 20);
             return home.pathOf("sparse");
         },
         0},
        {"a file with a link outside frees nothing",
         [&] {
             const std::string d = home.file("outside/sel/d", 50000);
             link(d, home.pathOf("outside/d"));
             return home.pathOf("outside/sel");
         },
         allocatedTree(home.file("outside-probe", 50000))},
        {"a single file", [&] { return home.file("single", 70000); }, 0},
        {"thousands of entries on several threads",
         [&] {
             for (int i = 0; i < 6000; ++i) {
                 const std::string f =
                     home.file("many/d" + std::to_string(i % 40) + "/f" + std::to_string(i), i);
                 if (i % 7 == 0) {
                     link(f, f + ".link");
                 }
             }
             return home.pathOf("many");
         },
         0},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        const std::string location = row.make();
        const std::uint64_t expected = allocatedTree(location) - row.keptElsewhere;
        const RemovalOutcome outcome = Path::remove(Url(location), {});
        EXPECT_TRUE(outcome.gone);
        EXPECT_EQ(outcome.freed.total(), expected);
        EXPECT_EQ(outcome.why(), RemovalReason::none);
    }
}

// In a mount namespace of its own, a tmpfs is filled, part of it removed, and what the removal
// says it freed compared with what the file system reports as free before and after; the same
// tmpfs, remounted read-only, and a tmpfs mounted inside a selected folder say why they stay.
TEST(FreedSpaceTest, FreedEqualsWhatTheFileSystemGotBackAndReasonsOfAMount) {
    const TempHome home;
    const std::string mountPoint = home.folder("mnt");
    const QString script = QStringLiteral(R"(
        set -e
        mount -t tmpfs -o size=64m tmpfs "$1" || exit 90
        mkdir -p "$1/sel/sub" "$1/point" "$1/ro"
        head -c 3000000 /dev/zero > "$1/sel/a"; ln "$1/sel/a" "$1/sel/sub/b"
        for i in $(seq 300); do head -c $((i * 37)) /dev/zero > "$1/sel/sub/f$i"; done
        echo x > "$1/ro/f"
        mount -t tmpfs tmpfs "$1/point"
        before=$(stat -f -c %f "$1")
        "$2" remove-freed "$1/sel"
        echo $(( ($(stat -f -c %f "$1") - before) * $(stat -f -c %S "$1") ))
        "$2" remove-freed "$1/point"
        mount -o remount,ro "$1"
        "$2" remove-freed "$1/ro"
    )");
    const auto inside =
        test::run(QStringLiteral("unshare"),
                  QStringList{"--mount", "--propagation", "private", "sh", "-c", script, "sh",
                              QString::fromStdString(mountPoint), pathProbe()});
    if (inside.exitCode == 90 || inside.out.empty()) {
        SORVANE_SKIP_SAFETY_TEST("no tmpfs could be mounted in a private namespace: " + inside.err);
    }
    const QStringList lines = QString::fromStdString(inside.out).split(QLatin1Char('\n'));
    ASSERT_EQ(lines.size(), 5) << inside.out << inside.err;
    const QStringList removal = lines[0].split(QLatin1Char(' '));
    EXPECT_EQ(removal[0], "gone");
    EXPECT_EQ(removal[1], lines[1]) << "reported freed against the file system's difference";
    EXPECT_GT(lines[1].toULongLong(), 3000000U);
    EXPECT_EQ(lines[2], "left 0 mount-point");
    EXPECT_EQ(lines[3], "left 0 read-only");
}
