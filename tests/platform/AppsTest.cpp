#include "platform/Apps.h"
#include "platform/FileIconManager.h"
#include "platform/Path.h"
#include "support/BundleFixture.h"

#include <gtest/gtest.h>

using namespace sorvane;
using test::PlistFormat;
using test::TempHome;

namespace {

std::vector<QString> identifiers(const AppList& apps) {
    std::vector<QString> found;
    for (const auto& app : apps) {
        found.push_back(app->identifier());
    }
    return found;
}

} // namespace

TEST(AppsTest, ReadsBundlesInXmlAndBinaryForm) {
    TempHome home;
    const test::ScopedSystemRoot root(home.pathOf("root"));
    test::makeBundle(home, "root/Applications/Editor.app",
                     {{"CFBundleIdentifier", std::string("org.sample.Editor")},
                      {"CFBundleShortVersionString", std::string("3.1")},
                      {"NSHumanReadableCopyright", std::string("(c) Sample")}},
                     PlistFormat::binary);
    test::makeBundle(home, "root/Applications/Viewer.app",
                     {{"CFBundleIdentifier", std::string("org.sample.Viewer")},
                      {"CFBundleShortVersionString", std::int64_t{7}}});
    test::makeBundle(home, "root/Applications/NoId.app", {{"CFBundleName", std::string("NoId")}});
    test::makeApp(home, "root/Applications/Notes.app", "com.apple.Notes", PlistFormat::binary);
    test::makeApp(home, "root/Applications/Utilities/Inner.app", "org.sample.Inner");
    home.folder("root/Applications/Empty.app/Contents");
    home.folder("root/Applications/Broken.app/Contents");
    test::writeFile(home.pathOf("root/Applications/Broken.app/Contents/Info.plist"), "not a plist");
    home.folder("root/Applications/WrongRoot.app/Contents");
    test::writeFile(
        home.pathOf("root/Applications/WrongRoot.app/Contents/Info.plist"),
        "<?xml version=\"1.0\"?><plist version=\"1.0\"><array><string>x</string></array></plist>");
    // A link in /Applications that leads out of it is no installed application.
    test::makeApp(home, "elsewhere/Linked.app", "org.sample.Linked", PlistFormat::binary);
    home.link("root/Applications/Linked.app", home.pathOf("elsewhere/Linked.app"));

    const AppList apps = Apps::installedApps(true);
    EXPECT_EQ(identifiers(apps), (std::vector<QString>{"org.sample.Editor", "org.sample.Viewer"}));
    ASSERT_EQ(apps.size(), 2U);
    EXPECT_EQ(apps[0]->name(), QStringLiteral("Editor"));
    EXPECT_EQ(apps[0]->version(), QStringLiteral("3.1"));
    EXPECT_EQ(apps[0]->copyright(), QStringLiteral("(c) Sample"));
    EXPECT_EQ(apps[0]->baseUrl().path(), home.pathOf("root/Applications/Editor.app"));
    EXPECT_FALSE(apps[1]->version().has_value()) << "a number is no version text";
    EXPECT_FALSE(apps[1]->copyright().has_value());

    EXPECT_EQ(identifiers(Apps::installedApps(false)),
              (std::vector<QString>{"org.sample.Editor", "com.apple.Notes", "org.sample.Viewer"}));
    EXPECT_EQ(Apps::app(Url::folder(home.pathOf("root/Applications/Notes.app")), false, true),
              nullptr);
    EXPECT_NE(Apps::app(Url::folder(home.pathOf("root/Applications/Notes.app")), false, false),
              nullptr);
}

TEST(AppsTest, EmbeddedApplicationsComeFromFourFoldersOneLevelDeep) {
    TempHome home;
    const test::ScopedSystemRoot root(home.pathOf("root"));
    const std::string host = "root/Applications/Host.app";
    test::makeApp(home, host, "org.sample.Host", PlistFormat::xml, "2.0");
    test::makeApp(home, host + "/Contents/XpcServices/Service.xpc", "org.sample.Host.service");
    test::makeApp(home, host + "/Contents/Library/LoginItems/Helper.app", "org.sample.Host.helper",
                  PlistFormat::binary);
    test::makeApp(home, host + "/Contents/PlugIns/Widget.appex", "org.sample.Host.widget");
    test::makeApp(home, host + "/Contents/PlugIns/Share.bundle", "org.sample.Host.bundle");
    test::makeApp(home, host + "/Contents/PlugIns/System.appex", "com.apple.widget");
    test::makeApp(home, host + "/Contents/Library/Tool.app", "org.sample.Host.tool");
    // A grandchild is never read: children are read without children of their own.
    test::makeApp(home, host + "/Contents/Library/Tool.app/Contents/PlugIns/Deep.appex",
                  "org.sample.Host.deep");

    const auto app = Apps::app(Url::folder(home.pathOf(host)), true, true);
    ASSERT_NE(app, nullptr);
    EXPECT_EQ(identifiers(app->children()),
              (std::vector<QString>{"org.sample.Host.tool", "org.sample.Host.widget",
                                    "org.sample.Host.helper", "org.sample.Host.service"}));
    std::vector<QString> names;
    for (const auto& child : app->children()) {
        EXPECT_TRUE(child->children().empty());
        names.push_back(child->name());
    }
    EXPECT_EQ(names, (std::vector<QString>{"Tool", "Widgetex", "Helper", "Service.xpc"}));
    EXPECT_EQ(Apps::app(Url::folder(home.pathOf(host)), true, false)->children().size(), 5U);
    EXPECT_TRUE(Apps::app(Url::folder(home.pathOf(host)), false, true)->children().empty());
}

TEST(AppsTest, BuiltProductIsTheFirstApplicationBelowProducts) {
    TempHome home;
    home.folder("Build/Products/Debug/Sample.app/Contents/MacOS");
    home.folder("Build/Products/Debug/Sample.app/Contents/PlugIns/Nested.app");
    home.file("Build/Products/Debug/.Hidden.app", 1);
    home.folder("NoProducts/Intermediates");

    const auto product = Apps::builtProduct(home.url("Build", true));
    ASSERT_TRUE(product.has_value());
    EXPECT_EQ(product->first, QStringLiteral("Sample"));
    EXPECT_TRUE(
        sameImage(product->second, Path::icon(home.pathOf("Build/Products/Debug/Sample.app"))));
    EXPECT_FALSE(Apps::builtProduct(home.url("NoProducts", true)).has_value());
    EXPECT_FALSE(Apps::builtProduct(home.url("Missing", true)).has_value());
}
