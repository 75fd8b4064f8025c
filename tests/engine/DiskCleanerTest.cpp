#include "engine/DiskCleaner.h"
#include "platform/journal/CleaningJournal.h"
#include "platform/keep/KeepListFile.h"
#include "support/BundleFixture.h"
#include "support/Processes.h"
#include "support/TempHome.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QThread>

#include <atomic>
#include <chrono>
#include <functional>
#include <future>
#include <gtest/gtest.h>
#include <map>

using namespace sorvane;
using test::TempHome;

namespace {

// A location that even root cannot remove.
const Url undeletable("/proc/version");

struct TestCategory final : public IDiskCleanerCategory {
    using Fill = std::function<void(CleanerResult&)>;

    TestCategory(const QString& name, Fill fill)
        : result_(std::make_shared<CleanerResult>(name, nullptr, std::nullopt, std::nullopt))
        , fill_(std::move(fill)) {}

    std::shared_ptr<CleanerResult> result() const override { return result_; }
    std::string key() const override { return result_->name().toStdString(); }
    Image icon() const override { return nullptr; }
    std::optional<QString> bundleIdentifier() const override { return std::nullopt; }
    void search() override { fill_(*result_); }

    std::shared_ptr<CleanerResult> result_;
    Fill fill_;
};

// Drives one engine and records each of its reports as text, checking that each arrives on the
// main thread.
struct Recorder final : public DiskCleanerDelegate {
    void cleanerDidStartSearch() override { record("start"); }
    void cleanerDidFinishSearch() override { record("finish"); }
    void cleanerDidUpdateSelectedSize(std::uint64_t size) override {
        record("selected " + std::to_string(size));
    }
    void cleanerWillSearchCategory(const std::shared_ptr<CleanerResult>& result) override {
        record("will " + result->name().toStdString());
    }
    void cleanerDidUpdateProgress(float progress) override {
        progresses.push_back(progress);
        record("progress");
    }
    void cleanerDidStartCleaning() override { record("startCleaning"); }
    void cleanerDidFinishCleaning() override { record("finishCleaning"); }
    void cleanerDidStopSearch() override { record("stopSearch"); }
    void cleanerDidProgressCleaning(const CleaningProgress& progress) override {
        details.push_back(progress);
    }
    void cleanerDidSummarizeCleaning(const CleaningSummary& made) override { summary = made; }
    // The reason of each remaining location by path.
    std::map<std::string, RemovalReason> reasons() const {
        std::map<std::string, RemovalReason> made;
        for (const auto& remaining : summary.remaining) {
            made[remaining.path] = remaining.reason;
        }
        return made;
    }

    void record(const std::string& event) {
        EXPECT_EQ(QThread::currentThread(), QCoreApplication::instance()->thread()) << event;
        events.push_back(event);
    }
    bool saw(const std::string& event) const {
        return std::find(events.begin(), events.end(), event) != events.end();
    }
    bool run(StartOutcome (DiskCleaner::*start)(), const std::string& last) {
        events.clear();
        progresses.clear();
        return ((*engine).*start)().isStarted() && test::waitUntil([&] { return saw(last); });
    }

    std::shared_ptr<DiskCleaner> engine;
    std::vector<std::string> events;
    std::vector<float> progresses;
    std::vector<CleaningProgress> details;
    CleaningSummary summary;
};

std::shared_ptr<Recorder> recorderOf(std::shared_ptr<DiskCleaner> engine) {
    auto recorder = std::make_shared<Recorder>();
    recorder->engine = std::move(engine);
    recorder->engine->setDelegate(recorder);
    return recorder;
}

std::shared_ptr<CleanerItem> item(const QString& name, std::optional<Url> url,
                                  const std::vector<Url>& suburls, bool selected) {
    auto made = std::make_shared<CleanerItem>(name, std::nullopt, nullptr, std::move(url));
    for (const auto& suburl : suburls) {
        made->addSuburl(suburl);
    }
    made->setSelected(selected);
    return made;
}

// Adds the same items at every search.
TestCategory::Fill adding(std::vector<std::shared_ptr<CleanerItem>> items) {
    return [items = std::move(items)](CleanerResult& result) {
        for (const auto& made : items) {
            result.add(made);
        }
    };
}

// Each location one selected item.
TestCategory::Fill selecting(const std::vector<std::string>& locations) {
    std::vector<std::shared_ptr<CleanerItem>> items;
    for (const auto& location : locations) {
        items.push_back(item(QString::fromStdString(location), Url(location), {}, true));
    }
    return adding(items);
}

} // namespace

TEST(DiskCleanerTest, SearchReportsEachCategoryInOrderOnTheMainThread) {
    TempHome home;
    // Of each category's 101 bytes, 100 are selected.
    const auto fill = adding({item("picked", Url(home.file("picked", 100)), {}, true),
                              item("left", Url(home.file("left", 1)), {}, false)});
    for (const int count : {0, 1, 19}) {
        SCOPED_TRACE(count);
        CategoryList categories;
        std::vector<std::string> expected{"start"};
        std::vector<float> progresses;
        for (int i = 1; i <= count; ++i) {
            categories.push_back(
                std::make_shared<TestCategory>(QStringLiteral("C%1").arg(i), fill));
            expected.insert(expected.end(), {"will C" + std::to_string(i),
                                             "selected " + std::to_string(100 * i), "progress"});
            progresses.push_back(static_cast<float>(i) / static_cast<float>(count));
        }
        const auto recorder = recorderOf(DiskCleaner::create(categories));
        // The second search starts from empty results rather than adding to the old ones.
        ASSERT_TRUE(recorder->run(&DiskCleaner::startSearch, "finish"));
        ASSERT_TRUE(recorder->run(&DiskCleaner::startSearch, "finish"));
        expected.emplace_back("finish");
        EXPECT_EQ(recorder->events, expected);
        EXPECT_EQ(recorder->progresses, progresses);
    }
}

TEST(DiskCleanerTest, OneRunAtATimeEmptiesResultsAtOnceAndNothingStartsOnceStopped) {
    // The search finds its item once the emptied result has been looked at, then holds until
    // released; a start that wrongly waits for it fails at the deadline instead of hanging.
    std::promise<void> look;
    std::promise<void> release;
    std::shared_future<void> looked = look.get_future().share();
    std::shared_future<void> released = release.get_future().share();
    std::atomic<bool> holding = false;
    auto blocking =
        std::make_shared<TestCategory>(QStringLiteral("Blocking"), [&](CleanerResult& result) {
            looked.wait();
            result.add(item("found", std::nullopt, {}, true));
            holding.store(true);
            released.wait_for(std::chrono::seconds(20));
        });
    const auto engine = DiskCleaner::create(blocking);
    const auto recorder = recorderOf(engine);
    blocking->result()->add(Url("/stale"));
    ASSERT_TRUE(engine->startSearch().isStarted());
    // Emptied before startSearch returns, not later on the worker.
    EXPECT_TRUE(blocking->result()->items().empty());
    look.set_value();
    ASSERT_TRUE(test::waitUntil([&] { return holding.load(); }));

    // Neither a second search (which would empty the result under the running one) nor a
    // cleaning starts while the search runs.
    using Refusal = StartOutcome::Refusal;
    EXPECT_EQ(engine->startSearch().refusal(), Refusal::searchRunning);
    EXPECT_EQ(engine->startCleaning().refusal(), Refusal::searchRunning);
    EXPECT_EQ(blocking->result()->items().size(), 1U);
    release.set_value();
    ASSERT_TRUE(test::waitUntil([&] { return recorder->saw("finish"); }));
    EXPECT_EQ(recorder->events, (std::vector<std::string>{"start", "will Blocking", "selected 0",
                                                          "progress", "finish"}));

    // Once stopped, neither a search (which would first empty the result) nor a cleaning (which
    // would take out the item, having no location left) starts, nor does either report.
    recorder->events.clear();
    engine->stop();
    EXPECT_EQ(engine->startSearch().refusal(), Refusal::stopped);
    EXPECT_EQ(engine->startCleaning().refusal(), Refusal::stopped);
    // Joins whatever thread the two calls might have started, then takes in what it reported.
    engine->stop();
    QCoreApplication::processEvents();
    EXPECT_EQ(recorder->events, std::vector<std::string>{});
    EXPECT_EQ(blocking->result()->items().size(), 1U);
}

TEST(DiskCleanerTest, CleaningDeletesSelectedLocationsThrottlesProgressAndKeepsCategories) {
    TempHome home;
    auto file = [&](const char* path) { return Url(home.file(path, 10)); };
    const std::vector<std::shared_ptr<CleanerItem>> items{
        // Url deleted, one suburl not: the item leaves, keeping the suburl that stayed.
        item("A", file("a/url"), {file("a/sub"), undeletable}, true),
        // No url, every suburl deleted: leaves.
        item("B", std::nullopt, {file("b/s1"), file("b/s2")}, true),
        // No url, one suburl left: stays.
        item("C", std::nullopt, {file("c/s1"), undeletable}, true),
        // The url cannot go: stays, although its suburls went.
        item("D", undeletable, {file("d/s1")}, true),
        // Not selected: untouched.
        item("E", file("e/url"), {}, false),
        // Two items without a url: only the deleted one may leave.
        item("F", std::nullopt, {file("f/s1")}, false),
        item("G", std::nullopt, {file("g/s1")}, true),
    };
    auto mixed = std::make_shared<TestCategory>(QStringLiteral("Mixed"), adding(items));
    constexpr int manyCount = 3000;
    std::vector<std::shared_ptr<CleanerItem>> manyItems;
    for (int i = 0; i < manyCount; ++i) {
        manyItems.push_back(item("f", Url(home.file("many/f" + std::to_string(i), 1)), {}, true));
    }
    auto many = std::make_shared<TestCategory>(QStringLiteral("Many"), adding(manyItems));
    const CategoryList categories{mixed, many};
    const auto recorder = recorderOf(DiskCleaner::create(categories));
    ASSERT_TRUE(recorder->run(&DiskCleaner::startSearch, "finish"));

    QElapsedTimer clock;
    clock.start();
    ASSERT_TRUE(recorder->run(&DiskCleaner::startCleaning, "finishCleaning"));
    const auto elapsedMs = clock.elapsed();

    ASSERT_FALSE(recorder->progresses.empty());
    EXPECT_EQ(recorder->events.front(), "startCleaning");
    EXPECT_EQ(recorder->events.back(), "finishCleaning");
    // The first item of an engine's first cleaning always reports, out of every item found.
    EXPECT_EQ(recorder->progresses.front(), 1.0F / (7 + manyCount));
    EXPECT_EQ(recorder->progresses.back(), 1.0F);
    EXPECT_TRUE(std::is_sorted(recorder->progresses.begin(), recorder->progresses.end()));
    // At most one report per 25 ms, besides the first and the closing 1.0.
    EXPECT_LE(recorder->progresses.size(), static_cast<std::size_t>(elapsedMs / 25 + 3))
        << elapsedMs;

    for (const char* path :
         {"a/url", "a/sub", "b/s1", "b/s2", "c/s1", "d/s1", "g/s1", "e/url", "f/s1"}) {
        EXPECT_EQ(test::exists(home.pathOf(path)), path[0] == 'e' || path[0] == 'f') << path;
    }
    EXPECT_EQ(mixed->result()->items(), (std::vector{items[2], items[3], items[4], items[5]}));
    EXPECT_EQ(items[0]->suburls(), std::vector<Url>{undeletable});
    EXPECT_EQ(items[2]->suburls(), std::vector<Url>{undeletable});
    EXPECT_TRUE(items[3]->suburls().empty());
    EXPECT_TRUE(many->result()->isEmpty());

    // Categories a cleaning emptied stay: new trash must show after the next search.
    EXPECT_EQ(recorder->engine->categories(), categories);
}

// Go's module cache, read-only folders and files, goes whole when its own user cleans it.
TEST(DiskCleanerTest, CleaningEmptiesTheUsersReadOnlyFolders) {
    TempHome home;
    const Url cache = Url::folder(home.goModuleCache("go"));
    if (test::runningAsRoot()) {
        home.chownAll(test::unprivilegedUid(), test::unprivilegedGid());
    }
    const CategoryList categories{std::make_shared<TestCategory>(
        QStringLiteral("Go"), adding({item("go", cache, {}, true)}))};
    const auto recorder = recorderOf(DiskCleaner::create(categories));
    ASSERT_TRUE(recorder->run(&DiskCleaner::startSearch, "finish"));
    {
        const test::AsUnprivilegedUser user;
        ASSERT_TRUE(recorder->run(&DiskCleaner::startCleaning, "finishCleaning"));
    }
    EXPECT_FALSE(test::exists(cache.path()));
}

// The keep list as it is at the search shapes what is offered; as it is at the cleaning, what
// goes: a selection made before an entry was added loses nothing it keeps.
TEST(DiskCleanerTest, SearchAndCleaningObeyTheKeepListAsItIsThen) {
    TempHome home;
    home.file("a/x/y/kept/data", 700);
    home.file("a/x/junk", 30);
    home.file("b/file", 5);
    home.file("c/file", 9);
    ASSERT_EQ(KeepListFile::change({"~/a/*/y/kept", home.pathOf("b")}, {}), std::nullopt);
    const std::vector<std::shared_ptr<CleanerItem>> items{
        item("A", Url::folder(home.pathOf("a")), {}, true),
        item("B", Url::folder(home.pathOf("b")), {}, true),
        item("C", std::nullopt, {Url::folder(home.pathOf("c"))}, true)};
    auto category = std::make_shared<TestCategory>(QStringLiteral("Kept"), adding(items));
    const auto recorder = recorderOf(DiskCleaner::create(category));
    ASSERT_TRUE(recorder->run(&DiskCleaner::startSearch, "finish"));
    EXPECT_EQ(category->result()->items(), (std::vector{items[0], items[2]}));
    EXPECT_EQ(items[0]->measuredSize(), 30U);
    ASSERT_EQ(category->result()->kept().size(), 2U);
    EXPECT_EQ(category->result()->kept()[0].size.bytes, 700U);

    ASSERT_EQ(KeepListFile::change({"~/c"}, {}), std::nullopt);
    ASSERT_TRUE(recorder->run(&DiskCleaner::startCleaning, "finishCleaning"));
    EXPECT_TRUE(test::exists(home.pathOf("a/x/y/kept/data")));
    EXPECT_FALSE(test::exists(home.pathOf("a/x/junk")));
    EXPECT_TRUE(test::exists(home.pathOf("c/file")));
    EXPECT_TRUE(category->result()->isEmpty()) << "both were cleaned as far as they may be";
}

TEST(DiskCleanerTest, EachLocationThatStaysSaysWhyInTheSummaryAndTheJournal) {
    const TempHome home;
    const std::string kept = home.file("keeping/kept/x", 10);
    home.file("keeping/other", 5000);
    ASSERT_FALSE(KeepListFile::change({kept}, {}));
    const std::string gone = home.file("gone", 10);
    const auto recorder = recorderOf(DiskCleaner::create(std::make_shared<TestCategory>(
        "A", selecting({home.pathOf("keeping"), gone, undeletable.path(), home.file("x", 9)}))));
    ASSERT_TRUE(recorder->run(&DiskCleaner::startSearch, "finish"));
    std::filesystem::remove(gone);
    ASSERT_TRUE(recorder->run(&DiskCleaner::startCleaning, "finishCleaning"));
    const std::map<std::string, RemovalReason> expected{
        {home.pathOf("keeping"), RemovalReason::kept},
        {gone, RemovalReason::alreadyGone},
        {undeletable.path(), RemovalReason::permissionDenied}};
    EXPECT_EQ(recorder->reasons(), expected);
    EXPECT_FALSE(recorder->summary.stopped);
    const auto lines = CleaningJournal::read();
    ASSERT_EQ(lines.size(), 4U);
    std::uint64_t journalled = 0;
    for (const auto& line : lines) {
        const auto reason = expected.find(line.location);
        EXPECT_EQ(line.reason, reason == expected.end() ? "" : wordOf(reason->second));
        EXPECT_EQ(line.removed, reason == expected.end());
        EXPECT_EQ(line.cleaning, lines[0].cleaning);
        journalled += line.bytes;
    }
    EXPECT_GT(journalled, 0U);
    EXPECT_EQ(journalled, recorder->summary.freed.total());
}

// A cancel while a 100,000-entry folder goes stops it at its next entry: the summary names
// it and the location not reached as stopped, both are there, and the next search runs. The
// reports of a cleaning run whole rise to every item and byte.
TEST(DiskCleanerTest, ACancelStopsACleaningAtItsNextEntryAndProgressRisesToTheEnd) {
    const TempHome home;
    for (int i = 0; i < 100000; ++i) {
        if (i < 100) {
            home.folder("big/d" + std::to_string(i));
        }
        test::writeFile(home.pathOf("big/d" + std::to_string(i % 100)) + "/f" + std::to_string(i),
                        "x");
    }
    const std::string big = home.pathOf("big");
    const std::string small = home.file("small/f", 10);
    const auto recorder = recorderOf(DiskCleaner::create(
        {std::make_shared<TestCategory>("A", selecting({big})),
         std::make_shared<TestCategory>("B", selecting({home.pathOf("small")}))}));
    ASSERT_TRUE(recorder->run(&DiskCleaner::startSearch, "finish"));
    recorder->events.clear();
    ASSERT_TRUE(recorder->engine->startCleaning().isStarted());
    // The first report names the big folder before its removal begins.
    ASSERT_TRUE(test::waitUntil([&] { return !recorder->details.empty(); }));
    recorder->engine->cancel();
    ASSERT_TRUE(test::waitUntil([&] { return recorder->saw("finishCleaning"); }, 120000));
    EXPECT_TRUE(recorder->summary.stopped);
    EXPECT_EQ(recorder->reasons(),
              (std::map<std::string, RemovalReason>{
                  {big, RemovalReason::stopped}, {home.pathOf("small"), RemovalReason::stopped}}));
    EXPECT_TRUE(test::exists(big)) << "stopped midway, not run to its end";
    EXPECT_TRUE(test::exists(small));
    EXPECT_EQ(CleaningJournal::read().size(), 2U);
    ASSERT_TRUE(recorder->run(&DiskCleaner::startSearch, "finish"));
    EXPECT_EQ(recorder->events.size(), 8U) << "both categories searched again";
    recorder->events.clear();
    recorder->details.clear();
    ASSERT_TRUE(recorder->engine->startCleaning().isStarted());
    // The rest of the big folder may take a while on a busy machine.
    ASSERT_TRUE(test::waitUntil([&] { return recorder->saw("finishCleaning"); }, 300000));
    const auto& details = recorder->details;
    for (std::size_t i = 1; i < details.size(); ++i) {
        EXPECT_GE(details[i].bytesDone, details[i - 1].bytesDone);
        EXPECT_GE(details[i].itemsDone, details[i - 1].itemsDone);
    }
    EXPECT_EQ(details.back().itemsDone, 2U);
    EXPECT_EQ(details.back().itemsTotal, 2U);
    EXPECT_EQ(details.back().bytesDone, details.back().bytesTotal);
    EXPECT_GT(details.back().bytesTotal, 10U);
    EXPECT_FALSE(test::exists(big));
}

TEST(DiskCleanerTest, ACancelStopsASearchBeforeItsNextCategory) {
    const TempHome home;
    std::promise<void> entered;
    std::promise<void> release;
    std::shared_future<void> released = release.get_future().share();
    bool first = true;
    const auto fill = selecting({home.file("a", 10)});
    const auto recorder = recorderOf(
        DiskCleaner::create({std::make_shared<TestCategory>("A",
                                                            [&](CleanerResult& result) {
                                                                if (std::exchange(first, false)) {
                                                                    entered.set_value();
                                                                    released.wait();
                                                                }
                                                                fill(result);
                                                            }),
                             std::make_shared<TestCategory>("B", fill)}));
    ASSERT_TRUE(recorder->engine->startSearch().isStarted());
    entered.get_future().wait();
    recorder->engine->cancel();
    release.set_value();
    ASSERT_TRUE(test::waitUntil([&] { return recorder->saw("finish"); }));
    EXPECT_EQ(recorder->events, (std::vector<std::string>{"start", "will A", "selected 10",
                                                          "progress", "stopSearch", "finish"}));
    EXPECT_EQ(recorder->engine->selectedSize(), 10U) << "the category searched keeps its items";
    ASSERT_TRUE(recorder->run(&DiskCleaner::startSearch, "finish"));
    EXPECT_TRUE(recorder->saw("will B"));
}
