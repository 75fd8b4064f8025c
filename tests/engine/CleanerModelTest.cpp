#include "engine/CleanerItem.h"
#include "engine/CleanerResult.h"
#include "engine/DiskCleanerBlacklist.h"
#include "platform/fs/Path.h"
#include "support/TempHome.h"

#include <gtest/gtest.h>

using namespace sorvane;
using test::TempHome;

TEST(CleanerModelTest, SizesAreMeasuredAfreshAndBundlesAreNeverDeletable) {
    TempHome home;
    home.file("main/a", 1000);
    home.file("main/b/c", 24);
    home.file("extra", 5);
    home.folder("Old.app/Contents");
    EXPECT_EQ(CleanerItem(Url("/nothing/here"), std::nullopt).name(), QStringLiteral("here"));

    CleanerItem item(QStringLiteral("group"), std::vector<Url>{home.url("extra"), home.url("gone")},
                     std::nullopt, nullptr);
    EXPECT_EQ(item.size(), 5U);
    item.setUrl(home.url("main", true));
    EXPECT_EQ(item.size(), 1029U);
    home.file("main/a", 10);
    EXPECT_EQ(item.size(), 39U) << "no size is remembered";
    // A location that cannot be looked at (reached through a link) measures as nothing, and
    // not as a whole nothing.
    item.setUrl(Url::folder(home.link("via", "main") + "/b"));
    item.measure();
    EXPECT_EQ(item.measuredSize(), 5U);
    EXPECT_FALSE(item.measuredWhole());

    CleanerResult result(QStringLiteral("R"), nullptr, std::nullopt, std::nullopt);
    result.addIfExists(home.url("missing"), QStringLiteral("never"), {home.url("extra")});
    EXPECT_TRUE(result.isEmpty());
    result.addIfExists(home.url("main", true), QStringLiteral("Renamed"),
                       {home.url("gone"), home.url("extra")});
    ASSERT_EQ(result.items().size(), 1U);
    EXPECT_EQ(result.items()[0]->name(), QStringLiteral("Renamed"));
    EXPECT_EQ(result.items()[0]->suburls(), std::vector<Url>{home.url("extra")});
    const auto phone = makeImage(Icon::Kind::symbol, "iphone");
    result.addIfExists(home.url("extra"), phone, std::nullopt);
    ASSERT_EQ(result.items().size(), 2U);
    EXPECT_TRUE(sameImage(result.items()[1]->displayIcon(), phone));
    EXPECT_TRUE(sameImage(result.items()[0]->displayIcon(), Path::icon(home.pathOf("main"))));
    EXPECT_EQ(result.size(), 44U);
    result.items()[1]->setSelected(true);
    EXPECT_EQ(result.selectedSize(), 5U);

    const auto deletable = [](std::optional<Url> url) {
        return CleanerItem(QStringLiteral("item"), std::nullopt, nullptr, url).isDeletable();
    };
    EXPECT_FALSE(deletable(home.url("Old.app", true)));
    EXPECT_TRUE(deletable(home.url("extra")));
    EXPECT_FALSE(deletable(home.url("missing")));
    EXPECT_FALSE(deletable(Url("/")));
    EXPECT_FALSE(deletable(std::nullopt));
}

TEST(DiskCleanerBlacklistTest, MatchesWholePrefixesCaseSensitively) {
    const DiskCleanerBlacklist blacklist({"com.apple.Music", "com.apple.Maps", "com.apple.Safari",
                                          "com.spotify.client", "com.spotify.installer",
                                          "com.apple.TV", "Thunderbird", "com.apple.TV"});
    for (const char* name :
         {"com.apple.Safari", "com.apple.SafariServices", "com.apple.TVRemote",
          "com.apple.TV.agent", "Thunderbird", "Thunderbird Beta", "com.spotify.installer.update",
          "com.spotify.client.cache", "com.apple.Maps"}) {
        EXPECT_TRUE(blacklist.contains(QString::fromUtf8(name))) << name;
    }
    for (const char* name :
         {"com.apple", "com.apple.music", "com.apple.mail", "COM.APPLE.MAPS", "", "thunderbird"}) {
        EXPECT_FALSE(blacklist.contains(QString::fromUtf8(name))) << name;
    }
    EXPECT_FALSE(DiskCleanerBlacklist({}).contains(QStringLiteral("anything")));
    EXPECT_TRUE(DiskCleanerBlacklist({QString()}).contains(QStringLiteral("anything")));
}
