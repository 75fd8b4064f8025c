// What the keep list names, and that a removal leaves it, with the folders on the way, whatever
// it was asked to remove.

#include "platform/fs/Path.h"
#include "platform/keep/KeepListFile.h"
#include "support/BundleFixture.h"
#include "support/Processes.h"
#include "support/TempHome.h"

#include <QProcess>

#include <array>

#include <gtest/gtest.h>

using namespace sorvane;
using namespace sorvane::test;

namespace {

KeepEntry entry(const std::string& text) {
    auto parsed = KeepEntry::parse(text, "/home/u");
    if (const auto* problem = std::get_if<std::string>(&parsed)) {
        throw std::invalid_argument(*problem);
    }
    return std::get<KeepEntry>(std::move(parsed));
}

KeepList listOf(const std::vector<std::string>& texts, const std::string& home) {
    std::vector<KeepRule> rules;
    for (const auto& text : texts) {
        rules.push_back({std::get<KeepEntry>(KeepEntry::parse(text, home)), {}});
    }
    return KeepList(std::move(rules));
}

} // namespace

TEST(KeepListTest, EntriesKeepWhatTheyNameAndLeadToIt) {
    struct Row {
        const char* entry;
        const char* path;
        bool keeps;
        bool leadsBelow;
    };
    for (const Row& row : std::vector<Row>{
             {"~/.cache/foo", "/home/u/.cache/foo", true, false},
             {"~/.cache/foo/", "/home/u/.cache/foo/deep/file", true, false},
             {"~/.cache/foo", "/home/u/.cache/foobar", false, false},
             {"~/.cache/foo", "/home/u/.cache/Foo", false, false},
             {"~/.cache/foo", "/home/u/.cache", false, true},
             {"~/.cache/foo", "/home/u/.config", false, false},
             {"~/.cache/*/models", "/home/u/.cache/hf/models/x", true, false},
             {"~/.cache/*/models", "/home/u/.cache/.hidden/models", true, false},
             {"~/.cache/*/models", "/home/u/.cache/hf", false, true},
             {"~/.cache/*/models", "/home/u/.cache/hf/other", false, false},
             {"~/.cache/v?", "/home/u/.cache/v1", true, false},
             {"~/.cache/v?", "/home/u/.cache/v10", false, false},
             {"~/.cache/[ab]x", "/home/u/.cache/bx", true, false},
             {"~/.cache/[ab]x", "/home/u/.cache/cx", false, false},
             {"~/**/venv", "/home/u/venv", true, true},
             {"~/**/venv", "/home/u/a/b/c/venv/lib", true, true},
             {"~/**/venv", "/home/u/a/b", false, true},
             {"~/**/venv", "/home/other/venv", false, false},
             {"/srv/**/**/keep", "/srv/keep", true, true},
             {"~/.cache/\\*", "/home/u/.cache/x", false, false},
         }) {
        const KeepEntry kept = entry(row.entry);
        EXPECT_EQ(kept.keeps(row.path), row.keeps) << row.entry << " keeps " << row.path;
        EXPECT_EQ(kept.leadsBelow(row.path), row.leadsBelow) << row.entry << " below " << row.path;
    }
    EXPECT_EQ(entry("~/.cache/*/models").base(), "/home/u/.cache");
    const auto odd = std::get<KeepEntry>(KeepEntry::parse("~/x", "/home/a[1]"));
    EXPECT_TRUE(odd.keeps("/home/a[1]/x") && !odd.keeps("/home/a1/x"));
    EXPECT_EQ(entry("~/.cache/foo/").text(), "~/.cache/foo");
    // The entry for a found location names it alone, whatever its name holds.
    for (const auto& [path, sibling, text] : std::vector<std::array<const char*, 3>>{
             {"/home/u/a*[b]?\\c", "/home/u/abbxc", "~/a\\*\\[b]\\?\\\\c"},
             {"/home/user/a*", "/home/user/ab", "/home/user/a\\*"}}) {
        const KeepEntry exact = entry(KeepEntry::forLocation(path, "/home/u"));
        EXPECT_EQ(exact.text(), text);
        EXPECT_TRUE(exact.keeps(path) && !exact.keeps(sibling)) << text;
    }
    for (const char* refused :
         {"relative/path", ".cache", "~user/x", "/home/u/../x", "~/./x", "/a//b", "/", ""}) {
        EXPECT_TRUE(std::holds_alternative<std::string>(KeepEntry::parse(refused, "/home/u")))
            << refused;
    }
}

// A tree with a kept folder three levels down and a link on the way to a second entry: the
// removal takes everything else, never the link's target, and says what it kept.
TEST(KeepListTest, RemovalLeavesKeptEntriesAndTheFoldersOnTheWay) {
    TempHome home;
    home.file("sel/a/b/kept/data", 700);
    home.file("sel/a/b/kept/deeper/more", 300);
    home.file("sel/a/b/junk", 50);
    home.file("sel/a/junk", 40);
    home.file("sel/top", 30);
    home.file("sel/keptfile", 5);
    home.file("outside/models/weights", 9);
    home.link("sel/linked", "../outside");
    const KeepList keep =
        listOf({"~/sel/a/*/kept", "~/sel/linked/models", "~/sel/keptfile"}, home.path());
    const Url selected = home.url("sel", true);

    EXPECT_EQ(Path::size(selected, keep), (MeasuredSize{50 + 40 + 30 + 10, true}))
        << "the kept parts are left out, and the link counts as itself";
    const auto kept = Path::keptWithin(selected, keep);
    ASSERT_EQ(kept.size(), 2U);
    EXPECT_EQ(kept[0].path, home.pathOf("sel/a/b/kept"));
    EXPECT_EQ(kept[0].size.bytes, 1000U);
    EXPECT_EQ(kept[1].entry, "~/sel/keptfile");

    const RemovalOutcome outcome = Path::remove(selected, keep);
    EXPECT_FALSE(outcome.gone);
    EXPECT_EQ(outcome.error, 0) << outcome.reason();
    EXPECT_FALSE(outcome.keptBy.empty());
    std::vector<std::string> left;
    for (const auto& line : describeTree(home.pathOf("sel"))) {
        left.push_back(line.substr(0, line.find('|')));
    }
    std::sort(left.begin(), left.end());
    EXPECT_EQ(left,
              (std::vector<std::string>{"/a", "/a/b", "/a/b/kept", "/a/b/kept/data",
                                        "/a/b/kept/deeper", "/a/b/kept/deeper/more", "/keptfile"}));
    EXPECT_TRUE(Path::exists(home.url("outside/models/weights")));
    EXPECT_TRUE(Path::holdsOnlyKept(selected, keep));

    // A location that is itself kept is not touched at all.
    const RemovalOutcome direct = Path::remove(home.url("sel/a/b/kept", true), keep);
    EXPECT_EQ(direct.entry, home.pathOf("sel/a/b/kept"));
    EXPECT_EQ(direct.reason(), home.pathOf("sel/a/b/kept") + ": kept by ~/sel/a/*/kept");
    EXPECT_EQ(Path::size(home.url("sel/a/b/kept", true), keep).bytes, 0U);
    EXPECT_TRUE(Path::exists(home.url("sel/a/b/kept/deeper/more")));
}

// Two programs changing the list at the same moment, each in a hundred steps: every entry of
// both is stored, and comments stay.
TEST(KeepListTest, ConcurrentChangesAreMergedNotLost) {
    TempHome home;
    const std::string list = home.pathOf(".config/Sorvane/keep.list");
    ASSERT_EQ(KeepListFile::change({"~/first"}, {}), std::nullopt);
    writeFile(list, "# mine\n~/first  # a note\n");
    std::vector<std::unique_ptr<QProcess>> probes;
    for (int i = 0; i < 2; ++i) {
        probes.push_back(std::make_unique<QProcess>());
        probes.back()->start(pathProbe(), {"keep-add", QString::fromStdString(list)});
    }
    for (const auto& probe : probes) {
        ASSERT_TRUE(probe->waitForFinished(120000));
        EXPECT_EQ(probe->exitCode(), 0) << probe->readAllStandardError().toStdString();
    }
    const auto stored = KeepListFile::read();
    EXPECT_EQ(stored.entries.size(), 201U);
    EXPECT_EQ(stored.entries.front(), "~/first");
    ASSERT_EQ(KeepListFile::change({}, {"~/first"}), std::nullopt);
    EXPECT_TRUE(readFile(list).starts_with("# mine\n/race/"));
}
