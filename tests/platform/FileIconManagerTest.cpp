#include "platform/FileIconManager.h"
#include "platform/Images.h"
#include "platform/Path.h"
#include "support/BundleFixture.h"
#include "support/FreedesktopHome.h"
#include <cstdlib>
#include <optional>

#include <filesystem>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <thread>

using namespace sorvane;
using test::TempHome;

namespace {

// An application bundle whose information file names its icon file.
void makeAppWithIcon(const TempHome& home, const std::string& bundle, const std::string& iconKey,
                     const std::string& iconFile, const std::string& iconBytes) {
    test::makeBundle(home, bundle,
                     {{"CFBundleIdentifier", std::string("org.sample.") + iconKey},
                      {"CFBundleIconFile", iconKey}});
    home.folder(bundle + "/Contents/Resources");
    test::writeFile(home.pathOf(bundle + "/Contents/Resources/" + iconFile), iconBytes);
}

const std::string icnsBytes = std::string("icns") + std::string(60, '\0');
const std::string pngBytes = std::string("\x89PNG\r\n\x1a\n", 8) + std::string(40, '\0');

class FileIconManagerTest : public ::testing::Test {
protected:
    void SetUp() override { FileIconManager::shared().clear(); }
    void TearDown() override { FileIconManager::shared().clear(); }

    TempHome home;
    test::ScopedSystemRoot root{home.pathOf("root")};
};

} // namespace

TEST_F(FileIconManagerTest, LooksInApplicationsThenSystemApplicationsThenFallsBack) {
    // Named without ".icns" in the information file.
    makeAppWithIcon(home, "root/Applications/Maps.app", "AppIcon", "AppIcon.icns", icnsBytes);
    makeAppWithIcon(home, "root/System/Applications/Music.app", "Music.icns", "Music.icns",
                    pngBytes);
    makeAppWithIcon(home, "root/System/Applications/Maps.app", "Other", "Other.icns", icnsBytes);
    // An icon file that is no image falls through to the next place.
    makeAppWithIcon(home, "root/Applications/Safari.app", "Compass", "Compass.icns",
                    "garbage bytes");

    auto& icons = FileIconManager::shared();
    EXPECT_EQ(*icons.iconForApplicationNamed(QStringLiteral("Maps")),
              (Icon{Icon::Kind::imageFile,
                    home.pathOf("root/Applications/Maps.app/Contents/Resources/AppIcon.icns")}));
    EXPECT_EQ(
        *icons.iconForApplicationNamed(QStringLiteral("Music")),
        (Icon{Icon::Kind::imageFile,
              home.pathOf("root/System/Applications/Music.app/Contents/Resources/Music.icns")}));
    EXPECT_EQ(*icons.iconForApplicationNamed(QStringLiteral("Safari")),
              (Icon{Icon::Kind::fileIcon, home.pathOf("root/Applications/Safari.app")}));
    EXPECT_EQ(*icons.iconForApplicationNamed(QStringLiteral("Nowhere")),
              (Icon{Icon::Kind::fileIcon, home.pathOf("root/Applications/Nowhere.app")}));

    EXPECT_EQ(FileIconManager::iconFileUrl(
                  Url::folder(home.pathOf("root/Applications/Maps.app/Contents"))),
              Url(home.pathOf("root/Applications/Maps.app/Contents/Resources/AppIcon.icns")));
    EXPECT_FALSE(FileIconManager::iconFileUrl(Url::folder(home.pathOf("root/nothing/Contents")))
                     .has_value());
}

TEST_F(FileIconManagerTest, RemembersAnswersButNotMisses) {
    auto& icons = FileIconManager::shared();
    const Image before = icons.iconForApplicationNamed(QStringLiteral("Later"));
    EXPECT_EQ(before->kind, Icon::Kind::fileIcon);
    // The bundle appears afterwards: the remembered answer stands, the disk is not asked again.
    makeAppWithIcon(home, "root/Applications/Later.app", "Later", "Later.icns", icnsBytes);
    EXPECT_EQ(icons.iconForApplicationNamed(QStringLiteral("Later")), before);

    EXPECT_EQ(icons.iconForBundleIdentifier(QStringLiteral("org.sample.Missing")), nullptr);
    test::makeApp(home, "root/System/Applications/Missing.app", "org.sample.Missing");
    const Image found = icons.iconForBundleIdentifier(QStringLiteral("org.sample.Missing"));
    ASSERT_NE(found, nullptr) << "a miss is not remembered";
    EXPECT_EQ(*found,
              (Icon{Icon::Kind::fileIcon, home.pathOf("root/System/Applications/Missing.app")}));
    std::filesystem::remove_all(home.pathOf("root/System/Applications/Missing.app"));
    EXPECT_EQ(icons.iconForBundleIdentifier(QStringLiteral("org.sample.Missing")), found);

    EXPECT_EQ(*Images::symbol("iphone"), (Icon{Icon::Kind::symbol, "iphone"}));
    EXPECT_TRUE(
        isLoadableImage(home.pathOf("root/Applications/Later.app/Contents/Resources/Later.icns")));
    test::writeFile(
        home.pathOf("drawing.svg"),
        "\xef\xbb\xbf<?xml version=\"1.0\"?>\n<svg xmlns=\"http://www.w3.org/2000/svg\"/>");
    EXPECT_TRUE(isLoadableImage(home.pathOf("drawing.svg")));
    test::writeFile(home.pathOf("notes.txt"), "an <svg> mentioned in text");
    EXPECT_FALSE(isLoadableImage(home.pathOf("notes.txt")));
    EXPECT_FALSE(isLoadableImage(home.pathOf("missing.png")));
}

TEST_F(FileIconManagerTest, SafeFromSeveralThreadsAtOnce) {
    for (int i = 0; i < 8; ++i) {
        makeAppWithIcon(home, "root/Applications/App" + std::to_string(i) + ".app", "Icon",
                        "Icon.icns", icnsBytes);
    }
    auto& icons = FileIconManager::shared();
    std::vector<std::thread> threads;
    for (int t = 0; t < 4; ++t) {
        threads.emplace_back([&icons, t] {
            for (int round = 0; round < 50; ++round) {
                const QString name = QStringLiteral("App%1").arg((round + t) % 8);
                EXPECT_EQ(icons.iconForApplicationNamed(name)->kind, Icon::Kind::imageFile);
                if (round % 10 == t) {
                    icons.clear();
                }
            }
        });
    }
    for (auto& thread : threads) {
        thread.join();
    }
}

TEST_F(FileIconManagerTest, IconNamesStayInsideResources) {
    const std::string resources = home.pathOf("root/Applications/Named.app/Contents/Resources/");
    const std::vector<std::pair<std::string, std::optional<std::string>>> cases{
        {"AppIcon", resources + "AppIcon.icns"},
        {"Icons/AppIcon.icns", resources + "Icons/AppIcon.icns"},
        {"..icns", resources + "..icns"},
        {"../../../../etc/passwd", std::nullopt},
        {"/etc/passwd", std::nullopt},
        {"Icons/../../Info.plist", std::nullopt},
        {"./AppIcon", std::nullopt},
        {"..", std::nullopt},
        {".", std::nullopt},
        {"Icons//AppIcon", std::nullopt},
        {"", std::nullopt},
    };
    for (const auto& [name, expected] : cases) {
        SCOPED_TRACE(name);
        test::makeBundle(home, "root/Applications/Named.app", {{"CFBundleIconFile", name}});
        const auto url = FileIconManager::iconFileUrl(
            Url::folder(home.pathOf("root/Applications/Named.app/Contents")));
        EXPECT_EQ(url ? std::optional<std::string>(url->path()) : std::nullopt, expected);
    }
}

TEST_F(FileIconManagerTest, OnlyRegularFilesAreLookedAt) {
    // A pipe with no writer would block a plain open for good, a device would never end.
    makeAppWithIcon(home, "root/Applications/Piped.app", "Piped", "Placeholder", "");
    const std::string pipe =
        home.pathOf("root/Applications/Piped.app/Contents/Resources/Piped.icns");
    ASSERT_EQ(mkfifo(pipe.c_str(), 0600), 0);
    home.folder("root/Applications/Folder.app/Contents/Resources/Folder.icns");
    makeAppWithIcon(home, "root/Applications/Folder.app", "Folder", "Placeholder", "");
    const std::vector<std::pair<std::string, std::string>> cases{
        {"Piped", pipe},
        {"Folder", home.pathOf("root/Applications/Folder.app/Contents/Resources/Folder.icns")},
    };
    for (const auto& [name, iconFile] : cases) {
        SCOPED_TRACE(name);
        EXPECT_FALSE(isLoadableImage(iconFile));
        EXPECT_EQ(*FileIconManager::shared().iconForApplicationNamed(QString::fromStdString(name)),
                  (Icon{Icon::Kind::fileIcon, home.pathOf("root/Applications/" + name + ".app")}));
    }
}

TEST(DesktopApplicationIconTest, ThemeOrderThenTheGenericOne) {
    struct Case {
        const char* name;
        std::vector<std::string> icons; // relative to the home
        std::string expected;
    };
    const std::vector<Case> cases{
        {"the first name wins",
         {"root/usr/share/icons/hicolor/48x48/apps/thunderbird.png",
          "root/usr/share/icons/hicolor/scalable/apps/org.mozilla.Thunderbird.svg"},
         "thunderbird"},
        {"a later name when the first is missing",
         {"root/usr/share/icons/Papirus/64x64/apps/org.mozilla.Thunderbird.svg"},
         "org.mozilla.Thunderbird"},
        {"the pixmaps folder",
         {"root/usr/share/pixmaps/org.mozilla.Thunderbird.xpm"},
         "org.mozilla.Thunderbird"},
        {"the user's data folder",
         {".local/share/icons/hicolor/128x128/apps/thunderbird.png"},
         "thunderbird"},
        {"Flatpak's exports",
         {"root/var/lib/flatpak/exports/share/icons/hicolor/64x64/apps/"
          "org.mozilla.Thunderbird.png"},
         "org.mozilla.Thunderbird"},
        {"other contexts and extensions do not count",
         {"root/usr/share/icons/hicolor/48x48/mimetypes/thunderbird.png",
          "root/usr/share/icons/hicolor/48x48/apps/thunderbird.txt",
          "root/usr/share/icons/hicolor/48x48/apps/.thunderbird.png/"},
         "application-x-executable"},
        {"nothing at all", {}, "application-x-executable"},
    };
    const char* dataDirs = std::getenv("XDG_DATA_DIRS");
    const std::optional<std::string> savedDataDirs =
        dataDirs != nullptr ? std::optional<std::string>(dataDirs) : std::nullopt;
    unsetenv("XDG_DATA_DIRS");
    for (const auto& [name, icons, expected] : cases) {
        SCOPED_TRACE(name);
        test::FreedesktopHome fixture;
        fixture.build(icons);
        fixture.rechoose();
        const Image icon = FileIconManager::shared().iconForDesktopApplication(
            {"thunderbird", "org.mozilla.Thunderbird"});
        EXPECT_TRUE(sameImage(icon, Images::stock(expected))) << icon->value;
    }
    if (savedDataDirs) {
        setenv("XDG_DATA_DIRS", savedDataDirs->c_str(), 1);
    }
}
