#include "engine/PredefinedCategories.h"
#include "FinderFixture.h"
#include "engine/DiskCleaner.h"
#include "finders/RemnantsFinder.h"
#include "support/Processes.h"

using namespace sorvane;

namespace {

class FinishedFlag final : public DiskCleanerDelegate {
public:
    void cleanerDidStartSearch() override {}
    void cleanerDidFinishSearch() override { finished = true; }
    void cleanerDidUpdateSelectedSize(std::uint64_t) override {}
    void cleanerWillSearchCategory(const std::shared_ptr<CleanerResult>&) override {}
    void cleanerDidUpdateProgress(float) override {}
    void cleanerDidStartCleaning() override {}
    void cleanerDidFinishCleaning() override {}

    bool finished = false;
};

} // namespace

using PredefinedCategoriesTest = test::FinderTest;

TEST_F(PredefinedCategoriesTest, NineteenCategoriesInOrderOnAFullHome) {
    const std::string lib = "Library/";
    home.file(lib + "Containers/com.apple.Maps/Data/a", 1);
    home.file(lib + "Caches/com.apple.Music/b", 1);
    home.file(lib + "Caches/com.apple.TV/c", 1);
    home.file(lib + "Saved Application State/org.sample.Editor.savedState/w", 1);
    home.file(lib + "Caches/BraveBrowser/d", 1);
    home.file(lib + "Caches/Google/Chrome/Default/Cache/e", 1);
    home.file(lib + "Application Support/CrashReporter/f.crash", 1);
    home.file(lib + "Containers/com.apple.FaceTime/Data/g", 1);
    home.file(lib + "Caches/Firefox/Profiles/p.default/cache2/h", 1);
    home.file(lib + "Mail/V10/A.mbox/Attachments/1/i.pdf", 1);
    home.file(lib + "Containers/com.apple.MobileSMS/Data/j", 1);
    test::makeApp(home, "root/Applications/Editor.app", "org.sample.Editor",
                  test::PlistFormat::binary, "2.0");
    home.folder("root/Applications/Editor.app/Contents/Versions/1.0");
    home.file(lib + ".Trash/k", 1);
    home.file(lib + "Caches/com.apple.safari/l", 1);
    home.file(lib + "Caches/com.spotify.client/Data/m", 1);
    home.file(lib + "Caches/Thunderbird/n", 1);
    home.file(lib + "Caches/org.sample.Editor/o", 1);
    home.file(
        lib + "Containers/desktop.WhatsApp/Data/Library/Application Support/WhatsApp/GPUCache/p",
        1);
    home.folder(lib + "Developer/Xcode/Archives/2026-12-01/Editor.xcarchive");
    home.folder(lib + "Containers/org.sample.Gone/Data");

    auto engine = DiskCleaner::create();
    auto delegate = std::make_shared<FinishedFlag>();
    engine->setDelegate(delegate);
    engine->startSearch();
    ASSERT_TRUE(test::waitUntil([&] { return delegate->finished; }));

    std::vector<std::string> summary;
    for (const auto& category : engine->categories()) {
        summary.push_back(category->result()->name().toStdString() + ": " +
                          std::to_string(category->result()->items().size()));
    }
    EXPECT_EQ(summary,
              (std::vector<std::string>{
                  "Maps Cache: 1", "Music Cache: 1", "TV Cache: 1", "Saved Application States: 1",
                  "Brave Browser: 1", "Google Chrome: 1", "Crash Reports: 1", "FaceTime Cache: 1",
                  "Firefox: 1", "Mail Attachments: 1", "Messages Cache: 1", "Old App Versions: 1",
                  "Trash: 1", "Safari Cache: 1", "Spotify Cache: 1", "Thunderbird: 1",
                  "User Caches: 5", "WhatsApp Cache: 1", "Xcode Developer Files: 1"}));
    // Cache folders of finders outside the blacklist (Google, Firefox, BraveBrowser and the
    // lower-case com.apple.safari) are user caches as well, so their bytes count twice.
    EXPECT_EQ(engine->totalSize(), 17U + 4U);

    // Remnants exist for callers that build their own list, but are in no predefined one.
    for (const auto& category : predefinedCategories()) {
        EXPECT_EQ(dynamic_cast<RemnantsFinder*>(category.get()), nullptr);
    }
    RemnantsFinder remnants;
    EXPECT_EQ(searched(remnants),
              (test::Lines{"desktop.WhatsApp @ Library/Containers/desktop.WhatsApp/",
                           "org.sample.Gone @ Library/Containers/org.sample.Gone/"}));
}
