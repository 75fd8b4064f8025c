// A cleaning one can watch, stop and trust: its progress, its summary, its journal, and a
// cancel that stops it at its next entry and lets the next run start.

#include "engine/DiskCleaner.h"
#include "platform/journal/CleaningJournal.h"
#include "platform/keep/KeepListFile.h"
#include "support/BundleFixture.h"
#include "support/Processes.h"
#include "support/TempHome.h"

#include <filesystem>
#include <future>
#include <gtest/gtest.h>
#include <map>

using namespace sorvane;
using test::TempHome;

namespace {

struct Category final : public IDiskCleanerCategory {
    Category(std::string key, std::function<void(CleanerResult&)> fill)
        : result_(std::make_shared<CleanerResult>(QString::fromStdString(key), nullptr,
                                                  std::nullopt, std::nullopt))
        , key_(std::move(key))
        , fill_(std::move(fill)) {}
    std::shared_ptr<CleanerResult> result() const override { return result_; }
    std::string key() const override { return key_; }
    Image icon() const override { return nullptr; }
    std::optional<QString> bundleIdentifier() const override { return std::nullopt; }
    void search() override { fill_(*result_); }

    std::shared_ptr<CleanerResult> result_;
    std::string key_;
    std::function<void(CleanerResult&)> fill_;
};

// Each location is one selected item of the category.
std::shared_ptr<Category> selecting(std::string key, std::vector<std::string> locations) {
    return std::make_shared<Category>(std::move(key), [locations](CleanerResult& result) {
        for (const auto& location : locations) {
            auto item = std::make_shared<CleanerItem>(QString::fromStdString(location),
                                                      std::nullopt, nullptr, Url(location));
            item->setSelected(true);
            result.add(item);
        }
    });
}

struct Watcher final : public DiskCleanerDelegate {
    void cleanerDidStartSearch() override {}
    void cleanerDidFinishSearch() override { events.emplace_back("finishSearch"); }
    void cleanerDidStopSearch() override { events.emplace_back("stopSearch"); }
    void cleanerDidUpdateSelectedSize(std::uint64_t /*size*/) override {}
    void cleanerWillSearchCategory(const std::shared_ptr<CleanerResult>& result) override {
        events.push_back("will " + result->name().toStdString());
    }
    void cleanerDidUpdateProgress(float /*progress*/) override {}
    void cleanerDidStartCleaning() override {}
    void cleanerDidProgressCleaning(const CleaningProgress& progress) override {
        progresses.push_back(progress);
    }
    void cleanerDidSummarizeCleaning(const CleaningSummary& made) override {
        summary = made;
        events.emplace_back("summary");
    }
    void cleanerDidFinishCleaning() override { events.emplace_back("finishCleaning"); }

    bool ended(const std::string& last) const { return !events.empty() && events.back() == last; }
    // The reason of each remaining location by path.
    std::map<std::string, RemovalReason> reasons() const {
        std::map<std::string, RemovalReason> made;
        for (const auto& remaining : summary.remaining) {
            made[remaining.path] = remaining.reason;
        }
        return made;
    }

    std::vector<std::string> events;
    std::vector<CleaningProgress> progresses;
    CleaningSummary summary;
};

struct Session {
    explicit Session(CategoryList categories)
        : engine(DiskCleaner::create(std::move(categories)))
        , watcher(std::make_shared<Watcher>()) {
        engine->setDelegate(watcher);
    }
    bool search() {
        watcher->events.clear();
        return engine->startSearch().isStarted() &&
               test::waitUntil([&] { return watcher->ended("finishSearch"); });
    }
    bool clean(const std::function<void()>& meanwhile = {}) {
        watcher->events.clear();
        watcher->progresses.clear();
        if (!engine->startCleaning().isStarted()) {
            return false;
        }
        if (meanwhile) {
            meanwhile();
        }
        return test::waitUntil([&] { return watcher->ended("finishCleaning"); }, 120000);
    }

    std::shared_ptr<DiskCleaner> engine;
    std::shared_ptr<Watcher> watcher;
};

} // namespace

TEST(CleaningReportTest, EachLocationThatStaysSaysWhyInTheSummaryAndTheJournal) {
    const TempHome home;
    const std::string kept = home.file("keeping/kept/x", 10);
    home.file("keeping/other", 5000);
    ASSERT_FALSE(KeepListFile::change({kept}, {}));
    const std::string gone = home.file("gone", 10);
    const std::string removed = home.file("removed", 9000);
    Session run({selecting("A", {home.pathOf("keeping"), gone, "/proc/version", removed})});
    ASSERT_TRUE(run.search());
    std::filesystem::remove(gone);
    ASSERT_TRUE(run.clean());
    EXPECT_EQ(run.watcher->events, (std::vector<std::string>{"summary", "finishCleaning"}));
    const std::map<std::string, RemovalReason> expected{
        {home.pathOf("keeping"), RemovalReason::kept},
        {gone, RemovalReason::alreadyGone},
        {"/proc/version", RemovalReason::permissionDenied}};
    EXPECT_EQ(run.watcher->reasons(), expected);
    EXPECT_FALSE(run.watcher->summary.stopped);
    EXPECT_GT(run.watcher->summary.freed.total(), 0U);
    const auto lines = CleaningJournal::read();
    ASSERT_EQ(lines.size(), 4U);
    std::uint64_t journalled = 0;
    for (const auto& line : lines) {
        const auto reason = expected.find(line.location);
        EXPECT_EQ(line.removed, reason == expected.end()) << line.location;
        EXPECT_EQ(line.reason, reason == expected.end() ? "" : wordOf(reason->second));
        EXPECT_EQ(line.category, "A");
        EXPECT_EQ(line.cleaning, lines[0].cleaning);
        journalled += line.bytes;
    }
    EXPECT_EQ(journalled, run.watcher->summary.freed.total());
}

TEST(CleaningReportTest, ProgressRisesToEveryItemAndByte) {
    const TempHome home;
    std::vector<std::string> locations;
    for (int i = 0; i < 300; ++i) {
        locations.push_back(home.file("p/f" + std::to_string(i), 1000 + i));
    }
    Session run({selecting("A", locations)});
    ASSERT_TRUE(run.search());
    ASSERT_TRUE(run.clean());
    const auto& progresses = run.watcher->progresses;
    ASSERT_FALSE(progresses.empty());
    for (std::size_t i = 1; i < progresses.size(); ++i) {
        EXPECT_GE(progresses[i].itemsDone, progresses[i - 1].itemsDone);
        EXPECT_GE(progresses[i].bytesDone, progresses[i - 1].bytesDone);
    }
    EXPECT_EQ(progresses.back().itemsDone, 300U);
    EXPECT_EQ(progresses.back().itemsTotal, 300U);
    EXPECT_EQ(progresses.back().bytesDone, progresses.back().bytesTotal);
    EXPECT_EQ(progresses.back().bytesTotal, 300U * 1000 + 299 * 300 / 2);
}

// A cancel while a 100,000-entry folder goes stops it at its next entry: what the summary says
// stays is there, the rest is gone, the location not reached stays as stopped, and the next
// search runs whole.
TEST(CleaningReportTest, ACancelStopsACleaningAtItsNextEntryAndTheNextSearchRuns) {
    const TempHome home;
    for (int i = 0; i < 100; ++i) {
        home.folder("big/d" + std::to_string(i));
    }
    for (int i = 0; i < 100000; ++i) {
        test::writeFile(home.pathOf("big/d" + std::to_string(i % 100)) + "/f" + std::to_string(i),
                        "x");
    }
    const std::string small = home.file("small/f", 10);
    const std::string big = home.pathOf("big");
    Session run({selecting("A", {big}), selecting("B", {home.pathOf("small")})});
    ASSERT_TRUE(run.search());
    ASSERT_TRUE(run.clean([&] {
        // The first report names the big folder before its removal begins.
        ASSERT_TRUE(test::waitUntil([&] { return !run.watcher->progresses.empty(); }));
        run.engine->cancel();
    }));
    const auto& summary = run.watcher->summary;
    EXPECT_TRUE(summary.stopped);
    EXPECT_EQ(run.watcher->reasons(),
              (std::map<std::string, RemovalReason>{
                  {big, RemovalReason::stopped}, {home.pathOf("small"), RemovalReason::stopped}}));
    EXPECT_TRUE(test::exists(big)) << "stopped midway, not run to its end";
    EXPECT_TRUE(test::exists(small));
    EXPECT_EQ(CleaningJournal::read().size(), 2U);
    EXPECT_TRUE(run.search());
    EXPECT_EQ(run.watcher->events, (std::vector<std::string>{"will A", "will B", "finishSearch"}));
}

TEST(CleaningReportTest, ACancelStopsASearchBeforeItsNextCategory) {
    const TempHome home;
    std::promise<void> entered;
    std::promise<void> release;
    std::shared_future<void> released = release.get_future().share();
    bool first = true;
    auto holding = std::make_shared<Category>("A", [&](CleanerResult& result) {
        if (std::exchange(first, false)) {
            entered.set_value();
            released.wait();
        }
        result.add(
            std::make_shared<CleanerItem>("a", std::nullopt, nullptr, Url(home.file("a", 10))));
    });
    Session run({holding, selecting("B", {home.file("b", 10)})});
    ASSERT_TRUE(run.engine->startSearch().isStarted());
    entered.get_future().wait();
    run.engine->cancel();
    release.set_value();
    ASSERT_TRUE(test::waitUntil([&] { return run.watcher->ended("finishSearch"); }));
    EXPECT_EQ(run.watcher->events,
              (std::vector<std::string>{"will A", "stopSearch", "finishSearch"}));
    EXPECT_EQ(holding->result()->items().size(), 1U) << "the category searched keeps its items";
    ASSERT_TRUE(run.search());
    EXPECT_EQ(run.watcher->events, (std::vector<std::string>{"will A", "will B", "finishSearch"}));
}
