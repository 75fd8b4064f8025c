#include "platform/places/Directory.h"
#include "platform/journal/CleaningJournal.h"
#include "platform/places/SystemRoot.h"
#include "support/TempHome.h"

#include <cstdlib>
#include <gtest/gtest.h>
#include <tuple>

using namespace sorvane;

// Only the first two pieces of $HOME name the home folder, since a sandbox container reports a
// deeper one; a home of fewer pieces falls back to the login's folder. System locations lie
// below the system root, the rest below the home.
TEST(DirectoryTest, LocationsFollowTheHomeRuleAndTheSystemRoot) {
    const test::TempHome temporary; // puts HOME back when it goes
    const std::string sandbox = "/Users/ann/Library/Containers/org.sorvane.Sorvane/Data";
    // $HOME, system root, location asked for, its path.
    const std::tuple<std::string, std::string, Directory, std::string> cases[] = {
        {sandbox, "/tmp/sample-root/", Directory::applications, "/tmp/sample-root/Applications/"},
        {sandbox, "", Directory::caches, "/Users/ann/Library/Caches/"},
        {"//home///bob//", "", Directory::user, "/home/bob/"},
        {"/root", "", Directory::user, "/Users/" + loginName() + "/"},
    };
    for (const auto& [value, root, directory, location] : cases) {
        setenv("HOME", value.c_str(), 1); // NOLINT(concurrency-mt-unsafe)
        SystemRoot::set(root);
        EXPECT_EQ(url(directory).absoluteString(), location) << value << " below " << root;
    }
    SystemRoot::set("");
}

// The journal of cleanings lies in the state folder; a relative XDG_STATE_HOME is ignored.
TEST(DirectoryTest, JournalLiesInTheStateFolder) {
    const test::TempHome temporary; // puts HOME back when it goes
    CleaningJournal::useFolder({}); // the temporary home's own, until it goes
    setenv("HOME", "/home/ann", 1); // NOLINT(concurrency-mt-unsafe)
    for (const auto& [state, journal] : {std::pair{"/var/st/", "/var/st/sorvane/journal.jsonl"},
                                         {"rel", "/home/ann/.local/state/sorvane/journal.jsonl"}}) {
        setenv("XDG_STATE_HOME", state, 1); // NOLINT(concurrency-mt-unsafe)
        EXPECT_EQ(CleaningJournal::path(), journal) << state;
    }
    unsetenv("XDG_STATE_HOME"); // NOLINT(concurrency-mt-unsafe)
}
