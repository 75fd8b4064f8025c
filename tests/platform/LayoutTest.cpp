#include "support/Processes.h"
#include "support/TempHome.h"

#include <cstdlib>
#include <gtest/gtest.h>

using namespace sorvane;

// The choice a process makes on its own, once, before anything is built.
TEST(LayoutTest, ChosenByTheVariableElseByTheHome) {
    struct Case {
        const char* variable; // nullptr: unset
        bool library;         // else Library is a link to a folder, which is no Library folder
        std::string layout;
        const char* shown; // the variable as the complaint about it shows it; nullptr: none
    };
    const std::vector<Case> cases{
        {nullptr, true, "macos", nullptr},
        {nullptr, false, "freedesktop", nullptr},
        {"", false, "freedesktop", nullptr},
        {"mac\x1b[2Jos", false, "freedesktop", "mac\\x1B[2Jos"},
    };
    for (const auto& [variable, library, layout, shown] : cases) {
        SCOPED_TRACE(variable != nullptr ? variable : "(unset)");
        test::TempHome home;
        home.folder(library ? "Library" : "elsewhere");
        if (!library) {
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
        EXPECT_EQ(result.err, shown == nullptr
                                  ? ""
                                  : "sorvane: SORVANE_LAYOUT='" + std::string(shown) +
                                        "' names no layout (macos or freedesktop); choosing the "
                                        "layout by the home folder\n");
    }
}
