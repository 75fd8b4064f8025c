#include "platform/icons/FileIconManager.h"
#include "platform/icons/Images.h"
#include "support/BundleFixture.h"
#include "support/FreedesktopHome.h"

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

// A freedesktop home, whose layout bundles ignore; it empties the icon manager before and after.
class FileIconManagerTest : public ::testing::Test {
protected:
    // A bundle in the system root whose information file names its icon, whose file (the name
    // with ".icns" added where it lacks it) holds the bytes; returns the icon file's path.
    std::string makeAppWithIcon(const std::string& bundle, const std::string& iconKey,
                                const std::string& iconBytes) {
        test::makeBundle(home, "root/" + bundle,
                         {{"CFBundleIdentifier", std::string("org.sample.") + iconKey},
                          {"CFBundleIconFile", iconKey}});
        home.folder("root/" + bundle + "/Contents/Resources");
        const std::string path = home.pathOf("root/" + bundle + "/Contents/Resources/" + iconKey +
                                             (iconKey.ends_with(".icns") ? "" : ".icns"));
        test::writeFile(path, iconBytes);
        return path;
    }
    Icon fileIcon(const std::string& bundle) const {
        return {Icon::Kind::fileIcon, home.pathOf("root/" + bundle)};
    }

    test::FreedesktopHome desktop;
    const TempHome& home = desktop.home;
};

} // namespace

TEST_F(FileIconManagerTest, LooksInApplicationsThenSystemApplicationsThenFallsBack) {
    // Named without ".icns" in the information file.
    const std::string maps = makeAppWithIcon("Applications/Maps.app", "AppIcon", icnsBytes);
    const std::string music =
        makeAppWithIcon("System/Applications/Music.app", "Music.icns", pngBytes);
    makeAppWithIcon("System/Applications/Maps.app", "Other", icnsBytes);
    // An icon file that is no image, or no regular file, falls through to the next place: a
    // pipe with no writer would block a plain open for good.
    const std::string pipe = makeAppWithIcon("Applications/Piped.app", "Piped", "");
    std::filesystem::remove(pipe);
    ASSERT_EQ(mkfifo(pipe.c_str(), 0600), 0);
    std::filesystem::remove(makeAppWithIcon("Applications/Folder.app", "Folder", ""));
    // Only the first bytes tell an image: SVG is XML text whose root is <svg>.
    const std::string svg = makeAppWithIcon(
        "Applications/Drawing.app", "Drawing",
        "\xef\xbb\xbf<?xml version=\"1.0\"?>\n<svg xmlns=\"http://www.w3.org/2000/svg\"/>");
    makeAppWithIcon("Applications/Notes.app", "Notes", "an <svg> mentioned in text");
    home.folder("root/Applications/Folder.app/Contents/Resources/Folder.icns");
    const std::vector<std::pair<const char*, Icon>> cases{
        {"Maps", {Icon::Kind::imageFile, maps}},
        {"Music", {Icon::Kind::imageFile, music}},
        {"Piped", fileIcon("Applications/Piped.app")},
        {"Folder", fileIcon("Applications/Folder.app")},
        {"Drawing", {Icon::Kind::imageFile, svg}},
        {"Notes", fileIcon("Applications/Notes.app")},
        {"Nowhere", fileIcon("Applications/Nowhere.app")},
    };
    for (const auto& [name, expected] : cases) {
        const Image icon = FileIconManager::shared().iconForApplicationNamed(name);
        ASSERT_NE(icon, nullptr) << name;
        EXPECT_EQ(*icon, expected) << name;
    }
}

TEST_F(FileIconManagerTest, SafeFromSeveralThreadsAtOnce) {
    for (int i = 0; i < 8; ++i) {
        makeAppWithIcon("Applications/App" + std::to_string(i) + ".app", "Icon", icnsBytes);
    }
    auto& icons = FileIconManager::shared();
    std::vector<std::jthread> threads;
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
        test::makeBundle(home, "root/Applications/Named.app", {{"CFBundleIconFile", name}});
        const auto url = FileIconManager::iconFileUrl(
            Url::folder(home.pathOf("root/Applications/Named.app/Contents")));
        EXPECT_EQ(url ? std::optional<std::string>(url->path()) : std::nullopt, expected) << name;
    }
}

TEST_F(FileIconManagerTest, DesktopApplicationsTakeTheFirstThemeIconElseTheGenericOne) {
    const std::string hicolor = "root/usr/share/icons/hicolor/48x48/";
    // The theme names a program asks for, and the one whose icon it gets.
    const std::vector<std::pair<std::vector<std::string>, std::string>> cases{
        {{"thunderbird", "org.mozilla.Thunderbird"}, "thunderbird"},
        {{"thunderbird-beta", "org.mozilla.Thunderbird"}, "org.mozilla.Thunderbird"},
        {{"papirus"}, "papirus"},
        {{"pixmap"}, "pixmap"},
        {{"local"}, "local"},
        {{"flatpak"}, "flatpak"},
        // Other contexts, extensions and folders do not count.
        {{"mime", "text", "folder", "thunderbird.png", ""}, "application-x-executable"},
    };
    const QByteArray savedDataDirs = qgetenv("XDG_DATA_DIRS");
    qunsetenv("XDG_DATA_DIRS");
    desktop.build(
        {hicolor + "apps/org.mozilla.Thunderbird.svg", hicolor + "apps/thunderbird.png",
         "root/usr/share/icons/Papirus/64x64/apps/papirus.svg", "root/usr/share/pixmaps/pixmap.xpm",
         ".local/share/icons/hicolor/128x128/apps/local.png",
         "root/var/lib/flatpak/exports/share/icons/hicolor/64x64/apps/flatpak.png",
         hicolor + "mimetypes/mime.png", hicolor + "apps/text.txt", hicolor + "apps/folder.png/"});
    desktop.rechoose();
    for (const auto& [names, expected] : cases) {
        SCOPED_TRACE(names.front());
        const Image icon = FileIconManager::shared().iconForDesktopApplication(names);
        ASSERT_NE(icon, nullptr);
        EXPECT_TRUE(sameImage(icon, Images::stock(expected))) << icon->value;
    }
    if (!savedDataDirs.isNull()) {
        qputenv("XDG_DATA_DIRS", savedDataDirs);
    }
}
