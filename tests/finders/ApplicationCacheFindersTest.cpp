#include "FinderFixture.h"
#include "finders/AppleMapsFinder.h"
#include "finders/AppleMusicFinder.h"
#include "finders/AppleTvFinder.h"
#include "finders/FaceTimeFinder.h"
#include "finders/MessagesFinder.h"
#include "finders/SafariFinder.h"
#include "finders/SpotifyFinder.h"
#include "finders/ThunderbirdFinder.h"

using namespace sorvane;
using test::Lines;

using ApplicationCacheFindersTest = test::FinderTest;

TEST_F(ApplicationCacheFindersTest, MapsMusicTvAndSafari) {
    home.file("Library/Containers/com.apple.Maps/Data/cache.db", 10);
    home.file("Library/Containers/com.apple.Maps/.com.apple.containermanagerd.metadata.plist", 10);
    home.file("Library/Caches/com.apple.Maps.Suggestions", 10); // a file, not a folder
    home.folder("Library/Caches/com.apple.Music");
    home.file("Music/iTunes/Album Artwork/Cache/a.itc", 10);
    home.file("Library/Caches/com.apple.TV/fsCachedData/x", 10);
    home.file("Library/Caches/com.apple.TV/Cache.db", 10);
    home.file("Library/Caches/com.apple.safari/WebKitCache/x", 10);

    AppleMapsFinder maps;
    EXPECT_EQ(searched(maps),
              (Lines{"Data @ Library/Containers/com.apple.Maps/Data/",
                     "Maps Suggestions @ Library/Caches/com.apple.Maps.Suggestions/"}));
    EXPECT_EQ(maps.bundleIdentifier(), QStringLiteral("com.apple.Maps"));
    EXPECT_EQ(*maps.icon(),
              (Icon{Icon::Kind::fileIcon, home.pathOf("root/Applications/Maps.app")}));
    EXPECT_EQ(maps.result()->name(), QStringLiteral("Maps Cache"));
    EXPECT_FALSE(maps.result()->bundleIdentifier().has_value());

    AppleMusicFinder music;
    EXPECT_EQ(searched(music), (Lines{"Album Artwork Cache @ Music/iTunes/Album Artwork/"}));
    AppleTvFinder tv;
    EXPECT_EQ(searched(tv), (Lines{"Cache.db @ Library/Caches/com.apple.TV/Cache.db",
                                   "fsCachedData @ Library/Caches/com.apple.TV/fsCachedData/"}));
    SafariFinder safari;
    EXPECT_EQ(searched(safari),
              (Lines{"WebKitCache @ Library/Caches/com.apple.safari/WebKitCache/"}));
    EXPECT_EQ(safari.bundleIdentifier(), QStringLiteral("com.apple.Safari"));
}

TEST_F(ApplicationCacheFindersTest, MissingApplicationFoldersGiveNothing) {
    FaceTimeFinder faceTime;
    MessagesFinder messages;
    AppleTvFinder tv;
    ThunderbirdFinder thunderbird;
    EXPECT_TRUE(searched(faceTime).empty());
    EXPECT_TRUE(searched(messages).empty());
    EXPECT_TRUE(searched(tv).empty());
    EXPECT_TRUE(searched(thunderbird).empty());
    EXPECT_EQ(messages.bundleIdentifier(), QStringLiteral("com.apple.MobileSMS"));

    home.file("Library/Containers/com.apple.FaceTime/Data/Library/x", 10);
    home.file("Library/Containers/com.apple.MobileSMS/Data/y", 10);
    EXPECT_EQ(searched(faceTime), (Lines{"Data @ Library/Containers/com.apple.FaceTime/Data/"}));
    EXPECT_EQ(searched(messages), (Lines{"Data @ Library/Containers/com.apple.MobileSMS/Data/"}));
}

TEST_F(ApplicationCacheFindersTest, SpotifyPicksBrowserAndDataAndThunderbirdIsOneItem) {
    for (const char* entry : {"Browser", "Data", "Storage", "data"}) {
        home.file(std::string("Library/Caches/com.spotify.client/") + entry + "/x", 10);
    }
    home.file("Library/Caches/com.spotify.installer", 10); // a file: no item
    SpotifyFinder spotify;
    EXPECT_EQ(searched(spotify), (Lines{"Browser @ Library/Caches/com.spotify.client/Browser/",
                                        "Data @ Library/Caches/com.spotify.client/Data/"}));
    std::filesystem::remove(home.pathOf("Library/Caches/com.spotify.installer"));
    home.file("Library/Caches/com.spotify.installer/update/x", 10);
    spotify.result()->clear();
    EXPECT_EQ(searched(spotify).back(),
              "com.spotify.installer @ Library/Caches/com.spotify.installer/");

    for (int i = 0; i < 5; ++i) {
        home.file("Library/Caches/Thunderbird/Profiles/p" + std::to_string(i) + "/cache2", 100);
    }
    ThunderbirdFinder thunderbird;
    EXPECT_EQ(searched(thunderbird), (Lines{"Thunderbird @ Library/Caches/Thunderbird/"}));
    EXPECT_EQ(thunderbird.result()->size(), 500U);
}
