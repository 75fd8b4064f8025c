#include "platform/desktop/Finder.h"
#include "support/Processes.h"
#include "support/TempHome.h"

#include <cstdlib>
#include <fstream>
#include <gtest/gtest.h>
#include <tuple>

using namespace sorvane;

// Stand-ins for the desktop's programs come first on PATH: real executables that record how
// they were called, the session bus one answering with the given exit status. Commas and spaces
// are encoded so that the single item stays a single item.
TEST(FinderTest, AsksTheFileManagerAndFallsBackToTheParentFolder) {
    const test::TempHome home;
    const std::string savedPath = std::getenv("PATH"); // NOLINT(concurrency-mt-unsafe)
    home.file("Some, folder/report 1.crash", 1);
    const std::string folder = "file://" + home.path() + "/Some%2C%20folder";
    // The bus call's exit status, what must be called and what must not.
    const std::tuple<int, std::string, std::string> cases[] = {
        {0, "ShowItems array:string:" + folder + "/report%201.crash string:", "xdg-open"},
        {1, "xdg-open " + folder + "\n", "xdg-open " + folder + "/"},
    };
    for (const auto& [busStatus, called, notCalled] : cases) {
        SCOPED_TRACE(busStatus);
        const std::string bin = home.folder("bin" + std::to_string(busStatus));
        const std::string log = bin + "/calls.log";
        for (const std::string program : {"dbus-send", "xdg-open"}) {
            std::ofstream(bin + "/" + program)
                << "#!/bin/sh\nprintf '" << program << " %s\\n' \"$*\" >> '" << log << "'\nexit "
                << (program == "dbus-send" ? busStatus : 0) << "\n";
            home.setMode("bin" + std::to_string(busStatus) + "/" + program, 0755);
        }
        setenv("PATH", (bin + ":" + savedPath).c_str(), 1); // NOLINT(concurrency-mt-unsafe)
        Finder::reveal(home.url("Some, folder/report 1.crash"));
        EXPECT_TRUE(test::waitUntil([&] {
            return test::readFile(log).find(called) != std::string::npos;
        })) << test::readFile(log);
        EXPECT_EQ(test::readFile(log).find(notCalled), std::string::npos) << test::readFile(log);
    }
    setenv("PATH", savedPath.c_str(), 1); // NOLINT(concurrency-mt-unsafe)
}
