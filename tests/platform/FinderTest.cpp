#include "platform/Finder.h"
#include "support/Processes.h"
#include "support/TempHome.h"

#include <QDir>
#include <QElapsedTimer>

#include <cstdlib>
#include <gtest/gtest.h>

using namespace sorvane;
using test::TempHome;

namespace {

// Stand-ins for the desktop's programs: real executables on PATH that record how they were
// called, the session bus one answering with the given exit status.
void installStubs(const TempHome& home, int busExitStatus) {
    const std::string log = home.pathOf("calls.log");
    home.file("bin/dbus-send");
    home.file("bin/xdg-open");
    const std::string busScript = "#!/bin/sh\nprintf 'bus %s\\n' \"$*\" >> '" + log + "'\nexit " +
                                  std::to_string(busExitStatus) + "\n";
    const std::string openScript = "#!/bin/sh\nprintf 'open %s\\n' \"$*\" >> '" + log + "'\n";
    FILE* bus = std::fopen(home.pathOf("bin/dbus-send").c_str(), "w");
    std::fputs(busScript.c_str(), bus);
    std::fclose(bus);
    FILE* open = std::fopen(home.pathOf("bin/xdg-open").c_str(), "w");
    std::fputs(openScript.c_str(), open);
    std::fclose(open);
    home.setMode("bin/dbus-send", 0755);
    home.setMode("bin/xdg-open", 0755);
}

class ScopedPath {
public:
    explicit ScopedPath(const std::string& first)
        : saved_(std::getenv("PATH")) {                    // NOLINT
        setenv("PATH", (first + ":" + saved_).c_str(), 1); // NOLINT
    }
    ~ScopedPath() { setenv("PATH", saved_.c_str(), 1); } // NOLINT

private:
    std::string saved_;
};

} // namespace

TEST(FinderTest, AsksTheFileManagerAndFallsBackToTheParentFolder) {
    TempHome home;
    const std::string log = home.pathOf("calls.log");
    const ScopedPath path(home.pathOf("bin"));
    home.file("Some, folder/report 1.crash", 1);

    installStubs(home, 0);
    QElapsedTimer clock;
    clock.start();
    Finder::reveal(home.url("Some, folder/report 1.crash"));
    EXPECT_LT(clock.elapsed(), 2000) << "reveal must not wait for the file manager";
    ASSERT_TRUE(
        test::waitUntil([&] { return test::readFile(log).find("bus") != std::string::npos; }));
    const std::string answered = test::readFile(log);
    EXPECT_NE(answered.find("org.freedesktop.FileManager1.ShowItems"), std::string::npos)
        << answered;
    // Commas and spaces are encoded so that the single item stays a single item.
    EXPECT_NE(
        answered.find("array:string:file://" + home.path() + "/Some%2C%20folder/report%201.crash"),
        std::string::npos)
        << answered;
    EXPECT_EQ(answered.find("open"), std::string::npos) << answered;

    std::remove(log.c_str());
    installStubs(home, 1);
    Finder::reveal(home.url("Some, folder/report 1.crash"));
    ASSERT_TRUE(
        test::waitUntil([&] { return test::readFile(log).find("open") != std::string::npos; }));
    EXPECT_NE(test::readFile(log).find("open file://" + home.path() + "/Some%2C%20folder"),
              std::string::npos)
        << test::readFile(log);
}
