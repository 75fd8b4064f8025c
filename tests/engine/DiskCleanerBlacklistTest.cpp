#include "engine/DiskCleanerBlacklist.h"

#include <gtest/gtest.h>

using sorvane::DiskCleanerBlacklist;

TEST(DiskCleanerBlacklistTest, MatchesWholePrefixesCaseSensitively) {
    const DiskCleanerBlacklist blacklist({"com.apple.Music", "com.apple.Maps", "com.apple.Safari",
                                          "com.spotify.client", "com.spotify.installer",
                                          "com.apple.TV", "Thunderbird", "com.apple.TV"});
    EXPECT_EQ(blacklist.items().size(), 7U);
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
