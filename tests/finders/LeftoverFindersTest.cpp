#include "FinderFixture.h"
#include "finders/OldVersionsFinder.h"
#include "finders/RemnantsFinder.h"

using namespace sorvane;
using test::Lines;

using LeftoverFindersTest = test::FinderTest;

TEST_F(LeftoverFindersTest, OldVersionsInsideInstalledBundles) {
    const std::string editor = "root/Applications/Editor.app";
    test::makeApp(home, editor, "org.sample.Editor", test::PlistFormat::binary, "3.1");
    for (const char* version : {"2.9", "3.0", "3.1"}) {
        home.file(editor + "/Contents/Versions/" + version + "/Editor", 10);
    }
    home.link(editor + "/Contents/Versions/Current", "3.1");
    home.link(editor + "/Contents/Versions/Previous",
              home.pathOf(editor + "/Contents/Versions/3.0"));
    // Skipped: no version text; only files in Versions; embedded in another bundle.
    test::makeApp(home, "root/Applications/NoVersion.app", "org.sample.NoVersion");
    home.folder("root/Applications/NoVersion.app/Contents/Versions/1.0");
    test::makeApp(home, "root/Applications/Files.app", "org.sample.Files", test::PlistFormat::xml,
                  "2.0");
    home.file("root/Applications/Files.app/Contents/Versions/1.0", 10);
    test::makeApp(home, editor + "/Contents/Library/LoginItems/Helper.app", "org.sample.Helper",
                  test::PlistFormat::xml, "1.0");
    home.folder(editor + "/Contents/Library/LoginItems/Helper.app/Contents/Versions/0.9");

    OldVersionsFinder finder;
    const std::string icon = " {file:" + editor + "}";
    const std::string versions = editor + "/Contents/Versions/";
    // The link to 3.0 names it once more; it is reported once.
    EXPECT_EQ(searched(finder),
              (Lines{"2.9 @ " + versions + "2.9/" + icon, "3.0 @ " + versions + "3.0/" + icon}));
}

TEST_F(LeftoverFindersTest, RemnantsAreContainersNoInstalledApplicationOwns) {
    for (const char* container : {"org.sample.Notes", "org.sample.Helper", "org.sample.Editor",
                                  "com.apple.mail", "com.applesauce.App", "org.sample.Local"}) {
        home.folder(std::string("Library/Containers/") + container + "/Data");
    }
    RemnantsFinder finder;
    EXPECT_EQ(searched(finder).size(), 5U)
        << "with no applications every non-system container is a remnant";

    test::makeApp(home, "root/Applications/Editor.app", "org.sample.Editor");
    test::makeApp(home, "root/Applications/Editor.app/Contents/Library/LoginItems/Helper.app",
                  "org.sample.Helper");
    // Installed in the user's own Applications folder: not among the installed applications.
    test::makeApp(home, "Applications/Local.app", "org.sample.Local");
    finder.result()->clear();
    EXPECT_EQ(searched(finder),
              (Lines{"com.applesauce.App @ Library/Containers/com.applesauce.App/",
                     "org.sample.Local @ Library/Containers/org.sample.Local/",
                     "org.sample.Notes @ Library/Containers/org.sample.Notes/"}));
    EXPECT_EQ(*finder.icon(), (Icon{Icon::Kind::fileIcon, home.pathOf("root/Applications")}));
}
