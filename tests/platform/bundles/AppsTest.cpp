#include "platform/bundles/Apps.h"
#include "support/BundleFixture.h"

#include <gtest/gtest.h>

using namespace sorvane;
using test::PlistFormat;

namespace {

// One text of each application, read through the given member; "(none)" for a missing one.
std::vector<QString> each(const AppList& apps,
                          const QString& (App::*read)() const = &App::identifier) {
    std::vector<QString> found;
    for (const auto& app : apps) {
        found.push_back(app ? ((*app).*read)() : QStringLiteral("(none)"));
    }
    return found;
}

} // namespace

TEST(AppsTest, ReadsBundlesAndTheirEmbeddedApplications) {
    test::TempHome home;
    const test::ScopedSystemRoot root{home.pathOf("root")};
    test::makeApp(home, "root/Applications/Editor.app", "org.sample.Editor", PlistFormat::binary,
                  "3.1");
    test::makeBundle(home, "root/Applications/Viewer.app",
                     {{"CFBundleIdentifier", std::string("org.sample.Viewer")},
                      {"CFBundleShortVersionString", std::int64_t{7}}});
    test::makeApp(home, "root/Applications/Notes.app", "com.apple.Notes", PlistFormat::binary);
    // No application: no identifier, nested in a plain folder, no readable information file, or a
    // link that leads out of /Applications.
    test::makeBundle(home, "root/Applications/NoId.app", {{"CFBundleName", std::string("NoId")}});
    test::makeApp(home, "root/Applications/Utilities/Inner.app", "org.sample.Inner");
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
    ASSERT_EQ(each(apps),
              (std::vector<QString>{"org.sample.Editor", "org.sample.Host", "org.sample.Viewer"}));
    EXPECT_EQ(apps[0]->version(), QStringLiteral("3.1"));
    EXPECT_FALSE(apps[2]->version().has_value()) << "a number is no version text";
    EXPECT_EQ(each(apps[1]->children()),
              (std::vector<QString>{"org.sample.Host.tool", "org.sample.Host.widget",
                                    "org.sample.Host.helper", "org.sample.Host.service"}));
    ASSERT_EQ(each(apps[1]->children(), &App::name),
              (std::vector<QString>{"Tool", "Widgetex", "Helper", "Service.xpc"}));
    EXPECT_TRUE(apps[1]->children()[0]->children().empty());

    const AppList all = Apps::installedApps(false);
    ASSERT_EQ(each(all), (std::vector<QString>{"org.sample.Editor", "org.sample.Host",
                                               "com.apple.Notes", "org.sample.Viewer"}));
    EXPECT_EQ(all[1]->children().size(), 5U);
}
