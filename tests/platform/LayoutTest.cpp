#include "support/Processes.h"
#include "support/TempHome.h"

#include <cstdlib>
#include <gtest/gtest.h>

using namespace sorvane;

// The choice a process makes on its own, once, before anything is built.
TEST(LayoutTest, ChosenByTheVariableElseByTheHome) {
    struct Case {
        const char* variable; // nullptr: unset
        bool library;
        std::string layout;
        std::string complaint;
    };
    const std::vector<Case> cases{
        {nullptr, true, "macos", ""},
        {nullptr, false, "freedesktop", ""},
        {"", false, "freedesktop", ""},
        {"freedesktop", true, "freedesktop", ""},
        {"macos", false, "macos", ""},
        {"nope", true, "macos",
         "sorvane: SORVANE_LAYOUT='nope' names no layout (macos or freedesktop); choosing the "
         "layout by the home folder\n"},
        {"mac\x1b[2Jos", false, "freedesktop",
         "sorvane: SORVANE_LAYOUT='mac\\x1B[2Jos' names no layout (macos or freedesktop); "
         "choosing the layout by the home folder\n"},
    };
    for (const auto& [variable, library, layout, complaint] : cases) {
        SCOPED_TRACE(variable != nullptr ? variable : "(unset)");
        test::TempHome home;
        if (library) {
            home.folder("Library");
        } else {
            // A link is not the Library folder.
            home.folder("elsewhere");
            home.link("Library", "elsewhere");
        }
        unsetenv("SORVANE_LAYOUT"); // NOLINT(concurrency-mt-unsafe)
        if (variable != nullptr) {
            setenv("SORVANE_LAYOUT", variable, 1); // NOLINT(concurrency-mt-unsafe)
        }
        const auto result = test::run(test::pathProbe(), {QStringLiteral("layout")});
        unsetenv("SORVANE_LAYOUT"); // NOLINT(concurrency-mt-unsafe)
        EXPECT_EQ(result.exitCode, 0);
        EXPECT_EQ(result.out, layout + "\n");
        EXPECT_EQ(result.err, complaint);
    }
}
