#include "finders/UserCacheFinder.h"
#include "FinderFixture.h"
#include "finders/UserCacheIdentifier.h"

using namespace sorvane;
using test::Lines;

using UserCacheFinderTest = test::FinderTest;

TEST_F(UserCacheFinderTest, EveryCacheFolderButThoseOfOtherFinders) {
    for (const char* owned : {"com.apple.Safari", "com.apple.SafariServices", "com.apple.TVRemote",
                              "Thunderbird", "com.spotify.installer.update", "com.apple.Maps"}) {
        home.file(std::string("Library/Caches/") + owned + "/data", 10);
    }
    home.file("Library/Caches/com.apple.music/data", 10);
    home.file("Library/Caches/org.sample.Editor/data", 10);
    home.file("Library/Caches/org.sample.Orphan/data", 10);
    home.file("Library/Caches/com.apple.Notes/data", 10);
    home.file("Library/Caches/com.systemtoolkit.agent/data", 10);
    home.file("Library/Caches/plain-file", 10);
    home.file("Library/Caches/.hidden/data", 10);
    home.file("elsewhere/target/data", 10);
    // A link in place of a cache folder is no cache folder: its target is not the user's cache.
    home.link("Library/Caches/org.sample.Linked", home.pathOf("elsewhere/target"));
    test::makeApp(home, "root/Applications/Editor.app", "org.sample.Editor");
    test::makeApp(home, "root/Applications/Notes.app", "com.apple.Notes");

    UserCacheFinder finder;
    EXPECT_EQ(
        searched(finder),
        (Lines{
            "com.apple.Notes @ Library/Caches/com.apple.Notes/",
            "com.apple.music @ Library/Caches/com.apple.music/",
            "Editor Cache @ Library/Caches/org.sample.Editor/ {file:root/Applications/Editor.app}",
            "org.sample.Orphan @ Library/Caches/org.sample.Orphan/"}));
    EXPECT_EQ(finder.result()->name(), QStringLiteral("User Caches"));
    EXPECT_FALSE(finder.bundleIdentifier().has_value());
    EXPECT_EQ(*finder.icon(), (Icon{Icon::Kind::fileIcon, home.path()}));

    // A second search without emptying in between adds everything again.
    finder.search();
    EXPECT_EQ(finder.result()->items().size(), 8U);
}

TEST_F(UserCacheFinderTest, MissingCachesFolderAndIdentifiers) {
    UserCacheFinder finder;
    EXPECT_TRUE(searched(finder).empty());

    EXPECT_EQ(allUserCacheIdentifiers.size(), 7U);
    EXPECT_EQ(rawValue(UserCacheIdentifier::spotifyInstaller),
              QStringLiteral("com.spotify.installer"));
    EXPECT_EQ(userCacheIdentifierFromRawValue(QStringLiteral("Thunderbird")),
              UserCacheIdentifier::thunderbird);
    EXPECT_FALSE(userCacheIdentifierFromRawValue(QStringLiteral("com.apple.tv")).has_value());
}

TEST_F(UserCacheFinderTest, TextsComeFromTheEngineTable) {
    EngineStrings::setLocale(QLocale(QLocale::German));
    EXPECT_EQ(EngineStrings::text("USER_CACHE"), QStringLiteral("Benutzer-Caches"));
    EXPECT_EQ(EngineStrings::text("RECYCLE_BIN"), QStringLiteral("Papierkorb"));
    EXPECT_EQ(UserCacheFinder().result()->name(), QStringLiteral("Benutzer-Caches"));
    EngineStrings::setLocale(QLocale(QLocale::Japanese));
    EXPECT_EQ(EngineStrings::text("RECYCLE_BIN"), QStringLiteral("Trash")) << "English stands in";
    EXPECT_EQ(EngineStrings::text("NO_SUCH_KEY"), QStringLiteral("NO_SUCH_KEY"));
    for (const char* key : {"USER_CACHE",       "CACHE",
                            "MAPS_CACHE",       "SUGGESTIONS",
                            "MUSIC_CACHE",      "ALBUM_COVER_CACHE",
                            "APPLE_TV_FINDER",  "SAFARI",
                            "FACETIME_CACHE",   "MESSAGES_CACHE",
                            "SPOTIFY_CACHE",    "THUNDERBIRD",
                            "CHROME_BROWSER",   "BRAVE_BROWSER",
                            "FIREFOX",          "WHATSAPP_CACHE",
                            "MAIL_ATTACHMENTS", "APPLICATION_CRASHES",
                            "VIVALDI",          "SAVED_APPLICATION_STATES",
                            "RECYCLE_BIN",      "XCODE_CACHE",
                            "DERIVED_DATA",     "IOS_DEVICE_SUPPORT",
                            "ARCHIVES",         "OLD_APP_VERSIONS",
                            "REMNANTS"}) {
        for (const auto language : {QLocale::English, QLocale::German}) {
            EngineStrings::setLocale(QLocale(language));
            EXPECT_NE(EngineStrings::text(key), QString::fromUtf8(key)) << key << " " << language;
        }
    }
}
