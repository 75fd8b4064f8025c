#include "platform/Apps.h"
#include "support/BundleFixture.h"

#include <gtest/gtest.h>

using namespace sorvane;
using test::PlistFormat;

namespace {

std::vector<QString> identifiers(const AppList& apps) {
    std::vector<QString> found;
    for (const auto& app : apps) {
        found.push_back(app ? app->identifier() : QStringLiteral("(none)"));
    }
    return found;
}

} // namespace

TEST(AppsTest, ReadsBundlesAndTheirEmbeddedApplications) {
    test::TempHome home;
    const test::ScopedSystemRoot root{home.pathOf("root")};
    test::makeBundle(home, "root/Applications/Editor.app",
                     {{"CFBundleIdentifier", std::string("org.sample.Editor")},
                      {"CFBundleShortVersionString", std::string("3.1")}},
                     PlistFormat::binary);
    test::makeBundle(home, "root/Applications/Viewer.app",
                     {{"CFBundleIdentifier", std::string("org.sample.Viewer")},
                      {"CFBundleShortVersionString", std::int64_t{7}}});
    test::makeApp(home, "root/Applications/Notes.app", "com.apple.Notes", PlistFormat::binary);
    // No application: no identifier, nested in a plain folder, no readable information file, or a
    // link that leads out of /Applications.
    test::makeBundle(home, "root/Applications/NoId.app", {{"CFBundleName", std::string("NoId")}});
    test::makeApp(home, "root/Applications/Utilities/Inner.app", "org.sample.Inner");
    home.folder("root/Applications/Empty.app/Contents");
    home.folder("root/Applications/Broken.app/Contents");
    test::writeFile(home.pathOf("root/Applications/Broken.app/Contents/Info.plist"), "not a plist");
    test::makeApp(home, "elsewhere/Linked.app", "org.sample.Linked", PlistFormat::binary);
    home.link("root/Applications/Linked.app", home.pathOf("elsewhere/Linked.app"));
    // Embedded applications come from four folders, one level deep.
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

    const AppList apps = Apps::installedApps(true);
    ASSERT_EQ(identifiers(apps),
              (std::vector<QString>{"org.sample.Editor", "org.sample.Host", "org.sample.Viewer"}));
    EXPECT_EQ(apps[0]->version(), QStringLiteral("3.1"));
    EXPECT_FALSE(apps[2]->version().has_value()) << "a number is no version text";
    EXPECT_EQ(identifiers(apps[1]->children()),
              (std::vector<QString>{"org.sample.Host.tool", "org.sample.Host.widget",
                                    "org.sample.Host.helper", "org.sample.Host.service"}));
    std::vector<QString> names;
    for (const auto& child : apps[1]->children()) {
        ASSERT_NE(child, nullptr);
        EXPECT_TRUE(child->children().empty());
        names.push_back(child->name());
    }
    EXPECT_EQ(names, (std::vector<QString>{"Tool", "Widgetex", "Helper", "Service.xpc"}));

    const AppList all = Apps::installedApps(false);
    ASSERT_EQ(identifiers(all), (std::vector<QString>{"org.sample.Editor", "org.sample.Host",
                                                      "com.apple.Notes", "org.sample.Viewer"}));
    EXPECT_EQ(all[1]->children().size(), 5U);
    const auto childless = Apps::app(Url::folder(home.pathOf(host)), false, true);
    ASSERT_NE(childless, nullptr);
    EXPECT_TRUE(childless->children().empty());
}
