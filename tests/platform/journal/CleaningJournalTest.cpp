#include "platform/journal/CleaningJournal.h"
#include "support/BundleFixture.h"
#include "support/TempHome.h"

#include <gtest/gtest.h>
#include <optional>
#include <sys/stat.h>
#include <thread>

using namespace sorvane;
using namespace sorvane::test;

// Past its cap, the journal keeps the newest cleanings whole within the trimmed size, at the
// start of the next cleaning; reading passes a broken line by and honours since.
TEST(CleaningJournalTest, TrimsToTheNewestWholeCleaningsAndReadsFromATime) {
    const TempHome home;
    std::string text;
    // 30 cleanings of 100 KiB or so each, the oldest first, then a line cut short.
    for (int cleaning = 0; cleaning < 30; ++cleaning) {
        for (int i = 0; i < 400; ++i) {
            const JournalLine line{"2024-01-" + std::to_string(10 + cleaning / 10) + "T00:00:00Z",
                                   "c" + std::to_string(cleaning),
                                   "freedesktop",
                                   "XDG_CACHE",
                                   home.pathOf(std::string(200, 'x') + std::to_string(i)),
                                   4096,
                                   true,
                                   "",
                                   ""};
            text += CleaningJournal::encode(line) + "\n";
        }
    }
    home.folder(".local/state/sorvane");
    writeFile(CleaningJournal::path(), text + "{\"time\":\"2024-01");
    EXPECT_EQ(CleaningJournal::read().size(), 12000U) << "the broken line is passed by";
    EXPECT_EQ(
        CleaningJournal::read(QDateTime::fromString("2024-01-12T00:00:00Z", Qt::ISODate)).size(),
        4000U);
    CleaningJournal next("freedesktop");
    struct stat info {};
    ASSERT_EQ(stat(CleaningJournal::path().c_str(), &info), 0);
    EXPECT_LE(info.st_size, CleaningJournal::trimmedBytes);
    EXPECT_GT(info.st_size, CleaningJournal::trimmedBytes - text.size() / 30);
    const auto kept = CleaningJournal::read();
    ASSERT_FALSE(kept.empty());
    EXPECT_EQ(kept.size() % 400, 0U) << "cleanings are kept whole";
    EXPECT_EQ(kept.back().cleaning, "c29");
    // A line waits while the journal is held, as for another process's rewrite of it.
    std::optional<JournalLock> held = CleaningJournal::hold();
    ASSERT_TRUE(held->held());
    std::thread writer([&] { next.record("XDG_CACHE", "/x", 1, false, "stopped", "/x: stopped"); });
    std::this_thread::sleep_for(std::chrono::milliseconds(200));
    EXPECT_EQ(CleaningJournal::read().back().cleaning, "c29");
    held.reset();
    writer.join();
    EXPECT_EQ(CleaningJournal::read().back().reason, "stopped");
    EXPECT_EQ(CleaningJournal::path(), home.pathOf(".local/state/sorvane/journal.jsonl"));
}
