#include "FinderFixture.h"
#include "finders/ApplicationStatesFinder.h"
#include "finders/CrashesFinder.h"
#include "finders/RecycleBinFinder.h"
#include "finders/XcodeFinder.h"

using namespace sorvane;
using test::Lines;

using SystemFindersTest = test::FinderTest;

TEST_F(SystemFindersTest, CrashGroupsComeBeforeTheCrashReporterEntries) {
    CrashesFinder crashes;
    EXPECT_EQ(*crashes.icon(), (Icon{Icon::Kind::fileIcon,
                                     home.pathOf("Library/Application Support/CrashReporter")}));
    home.folder("Library/Application Support/CrashReporter");
    EXPECT_TRUE(searched(crashes).empty());

    home.file("Library/Application Support/Firefox/Crash Reports/pending/1.dmp", 10);
    home.file("Library/Application Support/Vivaldi/CrashPad", 10); // a file still counts
    home.file("Library/Application Support/CrashReporter/Editor_2026-12-01.crash", 10);
    home.file("Library/Application Support/CrashReporter/.DS_Store", 10);
    crashes.result()->clear();
    EXPECT_EQ(searched(crashes),
              (Lines{"Vivaldi @ - + Library/Application Support/Vivaldi/CrashPad/ "
                     "{file:root/Applications/Vivaldi.app}",
                     "Firefox @ - + Library/Application Support/Firefox/Crash Reports/ "
                     "{file:root/Applications/Firefox.app}",
                     "Editor_2026-12-01.crash @ Library/Application "
                     "Support/CrashReporter/Editor_2026-12-01.crash"}));
}

TEST_F(SystemFindersTest, SavedStatesAreNamedAfterTheirApplications) {
    const std::string states = "Library/Saved Application State/";
    for (const char* folder :
         {"org.sample.Viewer.savedState", "org.sorvane.Sorvane.savedState", "Sorvane.savedState",
          "com.apple.Notes.savedState", "Plain", "twice.savedState.savedState"}) {
        home.file(states + folder + "/windows.plist", 10);
    }
    home.file(states + ".hidden.savedState/x", 10);
    test::makeApp(home, "root/Applications/Viewer.app", "org.sample.Viewer");
    // Our own identifier never matches by identifier; a name does, whatever the identifier.
    test::makeApp(home, "root/Applications/Other.app", "org.sorvane.Sorvane");
    test::makeApp(home, "root/Applications/Sorvane.app", "org.sample.different");
    test::makeApp(home, "root/Applications/Notes.app", "com.apple.Notes");

    ApplicationStatesFinder finder;
    EXPECT_EQ(
        searched(finder),
        (Lines{"Plain @ " + states + "Plain/",
               "Sorvane @ " + states + "Sorvane.savedState/ {file:root/Applications/Sorvane.app}",
               "com.apple.Notes @ " + states + "com.apple.Notes.savedState/",
               "Viewer @ " + states +
                   "org.sample.Viewer.savedState/ "
                   "{file:root/Applications/Viewer.app}",
               "org.sorvane.Sorvane @ " + states + "org.sorvane.Sorvane.savedState/",
               "twice @ " + states + "twice.savedState.savedState/"}));
    EXPECT_EQ(*finder.icon(), (Icon{Icon::Kind::fileIcon, home.pathOf("Library")}));
}

TEST_F(SystemFindersTest, TrashListsItsVisibleTopLevelEntries) {
    home.file("Library/.Trash/old report.pdf", 10);
    home.file("Library/.Trash/Folder/inner", 10);
    home.file("Library/.Trash/.DS_Store", 10);
    home.file(".Trash/not-this-one", 10);
    RecycleBinFinder trash;
    EXPECT_EQ(searched(trash), (Lines{"Folder @ Library/.Trash/Folder/",
                                      "old report.pdf @ Library/.Trash/old report.pdf"}));
    EXPECT_EQ(trash.icon()->kind, Icon::Kind::stock);
}

TEST_F(SystemFindersTest, XcodeGroupsDerivedDataDeviceSupportAndArchives) {
    XcodeFinder xcode;
    EXPECT_TRUE(searched(xcode).empty());

    const std::string x = "Library/Developer/Xcode/";
    home.folder(x + "DerivedData/Alpha-abc/Build/Products/Debug/Alpha.app/Contents");
    home.folder(x + "DerivedData/Beta-def/Build/Products/Release-iphoneos/Beta.app");
    home.file(x + "DerivedData/Gamma-ghi/Build/Intermediates.noindex/x.o", 10);
    home.file(x + "DerivedData/ModuleCache.noindex/m", 10);
    home.folder(x + "iOS DeviceSupport");
    home.folder(x + "Archives/2026-11-30/Alpha 30-11-2026.xcarchive/Products");
    home.folder(x + "Archives/2026-12-01/Beta.xcarchive");
    xcode.result()->clear();
    EXPECT_EQ(searched(xcode),
              (Lines{"Derived Data @ - + " + x + "DerivedData/Alpha-abc/Build/ + " + x +
                         "DerivedData/Beta-def/Build/ {stock:folder}",
                     "Archives @ - + " + x + "Archives/2026-11-30/Alpha 30-11-2026.xcarchive/ + " +
                         x + "Archives/2026-12-01/Beta.xcarchive/ {symbol:archivebox}"}))
        << "an empty device-support folder adds nothing";

    for (const char* version : {"16.0 (20A362)", "16.1", "17.0", "17.2"}) {
        home.file(x + "iOS DeviceSupport/" + version + "/Symbols/x", 10);
    }
    xcode.result()->clear();
    const Lines lines = searched(xcode);
    ASSERT_EQ(lines.size(), 3U);
    EXPECT_EQ(lines[1], "iOS Device Support @ - + " + x + "iOS DeviceSupport/16.0 (20A362)/ + " +
                            x + "iOS DeviceSupport/16.1/ + " + x + "iOS DeviceSupport/17.0/ + " +
                            x + "iOS DeviceSupport/17.2/ {symbol:iphone}");
    EXPECT_EQ(xcode.bundleIdentifier(), QStringLiteral("com.apple.dt.Xcode"));
}
