#include "FinderFixture.h"
#include "finders/BraveFinder.h"
#include "finders/ChromeFinder.h"
#include "finders/FirefoxFinder.h"
#include "finders/MailAttachmentsFinder.h"
#include "finders/WhatsAppFinder.h"

using namespace sorvane;
using test::Lines;

using BrowserFindersTest = test::FinderTest;

TEST_F(BrowserFindersTest, ChromePicksNestedMatchesByExactName) {
    const std::string base = "Library/Caches/Google/Chrome/";
    for (const char* folder :
         {"Default/Cache/data_0", "Default/Code Cache/js/x", "Default/Storage/ext/Cache/y",
          "Profile 1/Cache/z", "Profile 1/cache/lower", "Profile 1/Caches/plural",
          "Profile 1/.Cache/hidden", "Profile 1/Ext.bundle/Cache/inside"}) {
        home.file(base + folder, 10);
    }
    ChromeFinder chrome;
    EXPECT_EQ(searched(chrome), (Lines{"Cache @ " + base + "Default/Cache/",
                                       "Code Cache @ " + base + "Default/Code Cache/",
                                       "Storage @ " + base + "Default/Storage/",
                                       "Cache @ " + base + "Default/Storage/ext/Cache/",
                                       "Cache @ " + base + "Profile 1/Cache/"}));
    EXPECT_EQ(chrome.bundleIdentifier(), QStringLiteral("com.google.Chrome"));
}

TEST_F(BrowserFindersTest, WhatsAppBraveAndFirefox) {
    const std::string base =
        "Library/Containers/desktop.WhatsApp/Data/Library/Application Support/";
    home.file(base + "WhatsApp/deep/voip_crash_log.txt", 10);
    home.file(base + "WhatsApp/deep/voip_crash_log.txt.bak", 10);
    home.file(base + "WhatsApp/GPUCache/data", 10);
    home.file(base + "WhatsApp/.Cache/hidden", 10);
    home.file(base + "WhatsApp/Session Storage/x", 10);
    WhatsAppFinder whatsApp;
    EXPECT_EQ(searched(whatsApp),
              (Lines{"GPUCache @ " + base + "WhatsApp/GPUCache/",
                     "Session Storage @ " + base + "WhatsApp/Session Storage/",
                     "voip_crash_log.txt @ " + base + "WhatsApp/deep/voip_crash_log.txt"}));

    BraveFinder brave;
    home.file("Library/Caches/BraveBrowser", 10);
    EXPECT_TRUE(searched(brave).empty()) << "a file named BraveBrowser is no cache folder";
    std::filesystem::remove(home.pathOf("Library/Caches/BraveBrowser"));
    home.file("Library/Caches/BraveBrowser/Default/Cache/x", 10);
    EXPECT_EQ(searched(brave), (Lines{"BraveBrowser @ Library/Caches/BraveBrowser/"}));

    // Each profile's own entries, so that every byte counts once.
    const std::string profiles = "Library/Caches/Firefox/Profiles/";
    home.file(profiles + "abc.default/cache2/entries/E1", 1000);
    home.file(profiles + "abc.default/cache2/entries/E2", 1000);
    home.file(profiles + "abc.default/startupCache/s.bin", 100);
    home.file(profiles + "xyz.work/cache2/doomed/D", 10);
    home.file(profiles + "stray-file", 1);
    FirefoxFinder firefox;
    EXPECT_EQ(searched(firefox), (Lines{"cache2 @ " + profiles + "abc.default/cache2/",
                                        "startupCache @ " + profiles + "abc.default/startupCache/",
                                        "cache2 @ " + profiles + "xyz.work/cache2/"}));
    EXPECT_EQ(firefox.result()->size(), 2110U);
}

TEST_F(BrowserFindersTest, MailDownloadsThenEveryAttachmentFile) {
    const std::string downloads = "Library/Containers/com.apple.mail/Data/Library/Mail Downloads/";
    home.file(downloads + "0F1A/invoice.pdf", 10);
    home.file(downloads + "loose.txt", 10);
    home.file("Library/Mail/V10/Inbox.mbox/Messages/1.emlx", 10);
    home.file("Library/Mail/V10/A.mbox/Attachments/1/2/photo.jpg", 10);
    home.file("Library/Mail/V10/A.mbox/Attachments/1/3/doc.pdf", 10);
    home.file("Library/Mail/V10/A.mbox/Attachments/4/Slides.bundle/Contents/x", 10);
    home.file("Library/Mail/V10/B.mbox/Attachments/9/Attachments/nested.txt", 10);
    home.file("Library/Mail/V10/C.mbox/Attachments", 10); // a file named like the folders

    MailAttachmentsFinder mail;
    const std::string a = "Library/Mail/V10/A.mbox/Attachments/";
    const std::string b = "Library/Mail/V10/B.mbox/Attachments/";
    EXPECT_EQ(searched(mail),
              (Lines{"0F1A @ " + downloads + "0F1A/", "loose.txt @ " + downloads + "loose.txt",
                     "photo.jpg @ " + a + "1/2/photo.jpg", "doc.pdf @ " + a + "1/3/doc.pdf",
                     "Slides.bundle @ " + a + "4/Slides.bundle/",
                     "nested.txt @ " + b + "9/Attachments/nested.txt",
                     "nested.txt @ " + b + "9/Attachments/nested.txt"}));
    EXPECT_EQ(mail.bundleIdentifier(), QStringLiteral("com.apple.mail"));
}

TEST_F(BrowserFindersTest, MissingBaseFoldersGiveNothing) {
    ChromeFinder chrome;
    WhatsAppFinder whatsApp;
    FirefoxFinder firefox;
    MailAttachmentsFinder mail;
    BraveFinder brave;
    EXPECT_TRUE(searched(chrome).empty());
    EXPECT_TRUE(searched(whatsApp).empty());
    EXPECT_TRUE(searched(firefox).empty());
    EXPECT_TRUE(searched(mail).empty());
    EXPECT_TRUE(searched(brave).empty());
}
