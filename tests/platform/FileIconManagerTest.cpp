#include "platform/FileIconManager.h"
#include "platform/Images.h"
#include "support/BundleFixture.h"
#include "support/FreedesktopHome.h"

#include <cstdlib>
#include <filesystem>
#include <gtest/gtest.h>
#include <optional>
#include <sys/stat.h>
#include <thread>

using namespace sorvane;
using test::TempHome;

namespace {

const std::string icnsBytes = std::string("icns") + std::string(60, '\0');
const std::string pngBytes = std::string("\x89PNG\r\n\x1a\n", 8) + std::string(40, '\0');

class FileIconManagerTest : public ::testing::Test {
protected:
    void SetUp() override { FileIconManager::shared().clear(); }
    void TearDown() override { FileIconManager::shared().clear(); }

    // A bundle in the system root whose information file names its icon file, which holds the
    // bytes; returns the icon file's path.
    std::string makeAppWithIcon(const std::string& bundle, const std::string& iconKey,
                                const std::string& iconFile, const std::string& iconBytes) {
        test::makeBundle(home, "root/" + bundle,
                         {{"CFBundleIdentifier", std::string("org.sample.") + iconKey},
                          {"CFBundleIconFile", iconKey}});
        home.folder("root/" + bundle + "/Contents/Resources");
        const std::string path = home.pathOf("root/" + bundle + "/Contents/Resources/" + iconFile);
        test::writeFile(path, iconBytes);
        return path;
    }
    Icon fileIcon(const std::string& bundle) const {
        return {Icon::Kind::fileIcon, home.pathOf("root/" + bundle)};
    }

    TempHome home;
    test::ScopedSystemRoot root{home.pathOf("root")};
};

} // namespace

TEST_F(FileIconManagerTest, LooksInApplicationsThenSystemApplicationsThenFallsBackAndRemembers) {
    // Named without ".icns" in the information file.
    const std::string maps =
        makeAppWithIcon("Applications/Maps.app", "AppIcon", "AppIcon.icns", icnsBytes);
    const std::string music =
        makeAppWithIcon("System/Applications/Music.app", "Music.icns", "Music.icns", pngBytes);
    makeAppWithIcon("System/Applications/Maps.app", "Other", "Other.icns", icnsBytes);
    // An icon file that is no image, or no regular file, falls through to the next place: a
    // pipe with no writer would block a plain open for good.
    makeAppWithIcon("Applications/Safari.app", "Compass", "Compass.icns", "garbage bytes");
    const std::string pipe = makeAppWithIcon("Applications/Piped.app", "Piped", "Piped.icns", "");
    std::filesystem::remove(pipe);
    ASSERT_EQ(mkfifo(pipe.c_str(), 0600), 0);
    makeAppWithIcon("Applications/Folder.app", "Folder", "Placeholder", "");
    // Only the first bytes tell an image: SVG is XML text whose root is <svg>.
    const std::string svg = makeAppWithIcon(
        "Applications/Drawing.app", "Drawing", "Drawing.icns",
        "\xef\xbb\xbf<?xml version=\"1.0\"?>\n<svg xmlns=\"http://www.w3.org/2000/svg\"/>");
    makeAppWithIcon("Applications/Notes.app", "Notes", "Notes.icns", "an <svg> mentioned in text");
    home.folder("root/Applications/Folder.app/Contents/Resources/Folder.icns");
    const std::vector<std::pair<const char*, Icon>> cases{
        {"Maps", {Icon::Kind::imageFile, maps}},
        {"Music", {Icon::Kind::imageFile, music}},
        {"Safari", fileIcon("Applications/Safari.app")},
        {"Piped", fileIcon("Applications/Piped.app")},
        {"Folder", fileIcon("Applications/Folder.app")},
        {"Drawing", {Icon::Kind::imageFile, svg}},
        {"Notes", fileIcon("Applications/Notes.app")},
        {"Nowhere", fileIcon("Applications/Nowhere.app")},
    };
    auto& icons = FileIconManager::shared();
    for (const auto& [name, expected] : cases) {
        const Image icon = icons.iconForApplicationNamed(name);
        ASSERT_NE(icon, nullptr) << name;
        EXPECT_EQ(*icon, expected) << name;
    }
    // The bundle appears afterwards: the remembered answer stands, the disk is not asked again.
    const Image nowhere = icons.iconForApplicationNamed(QStringLiteral("Nowhere"));
    makeAppWithIcon("Applications/Nowhere.app", "Nowhere", "Nowhere.icns", icnsBytes);
    EXPECT_EQ(icons.iconForApplicationNamed(QStringLiteral("Nowhere")), nowhere);

    // By identifier a miss is not remembered, an answer is.
    EXPECT_EQ(icons.iconForBundleIdentifier(QStringLiteral("org.sample.Missing")), nullptr);
    test::makeApp(home, "root/System/Applications/Missing.app", "org.sample.Missing");
    const Image found = icons.iconForBundleIdentifier(QStringLiteral("org.sample.Missing"));
    ASSERT_NE(found, nullptr);
    EXPECT_EQ(*found, fileIcon("System/Applications/Missing.app"));
    std::filesystem::remove_all(home.pathOf("root/System/Applications/Missing.app"));
    EXPECT_EQ(icons.iconForBundleIdentifier(QStringLiteral("org.sample.Missing")), found);
}

TEST_F(FileIconManagerTest, SafeFromSeveralThreadsAtOnce) {
    for (int i = 0; i < 8; ++i) {
        makeAppWithIcon("Applications/App" + std::to_string(i) + ".app", "Icon", "Icon.icns",
                        icnsBytes);
    }
    auto& icons = FileIconManager::shared();
    std::vector<std::thread> threads;
    for (int t = 0; t < 4; ++t) {
        threads.emplace_back([&icons, t] {
            for (int round = 0; round < 50; ++round) {
                const QString name = QStringLiteral("App%1").arg((round + t) % 8);
                const Image icon = icons.iconForApplicationNamed(name);
                EXPECT_TRUE(icon && icon->kind == Icon::Kind::imageFile);
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
    EXPECT_FALSE(FileIconManager::iconFileUrl(Url::folder(home.pathOf("root/nothing/Contents")))
                     .has_value());
}

TEST(DesktopApplicationIconTest, ThemeOrderThenTheGenericOne) {
    const std::string mozilla = "org.mozilla.Thunderbird";
    const std::string generic = "application-x-executable";
    const std::string hicolor = "root/usr/share/icons/hicolor/48x48/";
    // The icon files laid out in the home, and the name of the icon chosen.
    const std::vector<std::pair<std::vector<std::string>, std::string>> cases{
        // The first name wins.
        {{hicolor + "apps/thunderbird.png", hicolor + "apps/" + mozilla + ".svg"}, "thunderbird"},
        {{"root/usr/share/icons/Papirus/64x64/apps/" + mozilla + ".svg"}, mozilla},
        {{"root/usr/share/pixmaps/" + mozilla + ".xpm"}, mozilla},
        {{".local/share/icons/hicolor/128x128/apps/thunderbird.png"}, "thunderbird"},
        {{"root/var/lib/flatpak/exports/share/icons/hicolor/64x64/apps/" + mozilla + ".png"},
         mozilla},
        // Other contexts and extensions do not count.
        {{hicolor + "mimetypes/thunderbird.png", hicolor + "apps/thunderbird.txt",
          hicolor + "apps/.thunderbird.png/"},
         generic},
        {{}, generic},
    };
    const bool hadDataDirs = qEnvironmentVariableIsSet("XDG_DATA_DIRS");
    const QByteArray savedDataDirs = qgetenv("XDG_DATA_DIRS");
    qunsetenv("XDG_DATA_DIRS");
    for (const auto& [icons, expected] : cases) {
        SCOPED_TRACE(icons.empty() ? "nothing" : icons.front());
        test::FreedesktopHome fixture;
        fixture.build(icons);
        fixture.rechoose();
        const Image icon = FileIconManager::shared().iconForDesktopApplication(
            {"thunderbird", "org.mozilla.Thunderbird"});
        ASSERT_NE(icon, nullptr);
        EXPECT_TRUE(sameImage(icon, Images::stock(expected))) << icon->value;
    }
    if (hadDataDirs) {
        qputenv("XDG_DATA_DIRS", savedDataDirs);
    }
}
