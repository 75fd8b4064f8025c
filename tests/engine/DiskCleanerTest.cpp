#include "engine/DiskCleaner.h"
#include "engine/PredefinedCategories.h"
#include "platform/Path.h"
#include "support/Processes.h"
#include "support/TempHome.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QThread>

#include <atomic>
#include <functional>
#include <future>
#include <gtest/gtest.h>
#include <map>

using namespace sorvane;
using test::TempHome;

namespace {

// A location that even root cannot remove.
const Url undeletable("/proc/version");

class TestCategory final : public IDiskCleanerCategory {
public:
    using Fill = std::function<void(CleanerResult&)>;

    TestCategory(const QString& name, Fill fill)
        : result_(std::make_shared<CleanerResult>(name, nullptr, std::nullopt, std::nullopt))
        , fill_(std::move(fill)) {}

    std::shared_ptr<CleanerResult> result() const override { return result_; }
    Image icon() const override { return nullptr; }
    std::optional<QString> bundleIdentifier() const override { return std::nullopt; }
    void search() override {
        ++searches;
        if (fill_) {
            fill_(*result_);
        }
    }

    std::atomic<int> searches = 0;

private:
    std::shared_ptr<CleanerResult> result_;
    Fill fill_;
};

// Records every report as text and checks that each arrives on the main thread.
class RecordingDelegate final : public DiskCleanerDelegate {
public:
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

    void record(const std::string& event) {
        EXPECT_EQ(QThread::currentThread(), QCoreApplication::instance()->thread()) << event;
        if (onEvent) {
            onEvent(event);
        }
        events.push_back(event);
    }
    bool saw(const std::string& event) const {
        return std::find(events.begin(), events.end(), event) != events.end();
    }

    std::vector<std::string> events;
    std::vector<float> progresses;
    std::function<void(const std::string&)> onEvent;
};

struct Harness {
    std::shared_ptr<DiskCleaner> engine;
    std::shared_ptr<RecordingDelegate> delegate = std::make_shared<RecordingDelegate>();

    explicit Harness(std::shared_ptr<DiskCleaner> cleaner)
        : engine(std::move(cleaner)) {
        engine->setDelegate(delegate);
    }

    bool search() {
        delegate->events.clear();
        delegate->progresses.clear();
        engine->startSearch();
        return test::waitUntil([&] { return delegate->saw("finish"); });
    }
    bool clean() {
        delegate->events.clear();
        delegate->progresses.clear();
        engine->startCleaning();
        return test::waitUntil([&] { return delegate->saw("finishCleaning"); });
    }
};

CategoryList namedCategories(int count, const TestCategory::Fill& fill = {}) {
    CategoryList categories;
    for (int i = 1; i <= count; ++i) {
        categories.push_back(std::make_shared<TestCategory>(QStringLiteral("C%1").arg(i), fill));
    }
    return categories;
}

} // namespace

TEST(DiskCleanerTest, SearchReportsEachCategoryInOrderOnTheMainThread) {
    for (const int count : {0, 1, 19}) {
        Harness harness(DiskCleaner::create(namedCategories(count)));
        ASSERT_TRUE(harness.search()) << count;
        std::vector<std::string> expected{"start"};
        for (int i = 1; i <= count; ++i) {
            expected.insert(expected.end(),
                            {"will C" + std::to_string(i), "selected 0", "progress"});
        }
        expected.emplace_back("finish");
        EXPECT_EQ(harness.delegate->events, expected) << count;
        ASSERT_EQ(harness.delegate->progresses.size(), static_cast<std::size_t>(count));
        for (int i = 1; i <= count; ++i) {
            EXPECT_EQ(harness.delegate->progresses[i - 1],
                      static_cast<float>(i) / static_cast<float>(count));
        }
        EXPECT_FALSE(harness.engine->isBusy());
    }
    Harness single(
        DiskCleaner::create(std::make_shared<TestCategory>(QStringLiteral("Only"), nullptr)));
    EXPECT_FALSE(single.engine->usePredefinedCategories());
    ASSERT_TRUE(single.search());
    EXPECT_EQ(single.delegate->events,
              (std::vector<std::string>{"start", "will Only", "selected 0", "progress", "finish"}));
}

TEST(DiskCleanerTest, SelectedSizeFollowsEachCategoryAndSearchEmptiesResultsFirst) {
    TempHome home;
    home.file("one", 100);
    auto categories = namedCategories(3, [&](CleanerResult& result) {
        auto item = std::make_shared<CleanerItem>(home.url("one"), std::nullopt);
        item->setSelected(true);
        result.add(item);
    });
    Harness harness(DiskCleaner::create(categories));
    ASSERT_TRUE(harness.search());
    EXPECT_EQ(harness.delegate->events,
              (std::vector<std::string>{"start", "will C1", "selected 100", "progress", "will C2",
                                        "selected 200", "progress", "will C3", "selected 300",
                                        "progress", "finish"}));
    EXPECT_EQ(harness.engine->totalSize(), 300U);
    EXPECT_EQ(harness.engine->selectedSize(), 300U);
    harness.engine->categories()[0]->result()->items()[0]->setSelected(false);
    EXPECT_EQ(harness.engine->selectedSize(), 200U);

    // A second search starts from empty results rather than adding to the old ones.
    ASSERT_TRUE(harness.search());
    for (const auto& category : categories) {
        EXPECT_EQ(category->result()->items().size(), 1U);
    }
    harness.engine->reset();
    EXPECT_EQ(harness.engine->totalSize(), 0U);

    // The emptying happens before startSearch returns, not later on the worker.
    auto stale = std::make_shared<TestCategory>(QStringLiteral("Stale"), nullptr);
    stale->result()->add(home.url("one"));
    Harness staleHarness(DiskCleaner::create(stale));
    staleHarness.engine->startSearch();
    EXPECT_TRUE(stale->result()->isEmpty());
    ASSERT_TRUE(test::waitUntil([&] { return staleHarness.delegate->saw("finish"); }));
}

TEST(DiskCleanerTest, BusyOnlyWhileSearching) {
    std::promise<void> release;
    std::shared_future<void> released = release.get_future().share();
    std::atomic<bool> busyInsideSearch = false;
    std::shared_ptr<DiskCleaner> engine;
    auto blocking = std::make_shared<TestCategory>(QStringLiteral("Blocking"), [&](CleanerResult&) {
        busyInsideSearch = engine->isBusy();
        released.wait();
    });
    engine = DiskCleaner::create(blocking);
    Harness harness(engine);
    EXPECT_FALSE(engine->isBusy());
    engine->startSearch();
    ASSERT_TRUE(test::waitUntil([&] { return harness.delegate->saw("will Blocking"); }));
    EXPECT_TRUE(engine->isBusy());
    release.set_value();
    ASSERT_TRUE(test::waitUntil([&] { return harness.delegate->saw("finish"); }));
    EXPECT_TRUE(busyInsideSearch);
    EXPECT_FALSE(engine->isBusy());

    std::vector<bool> busyWhileCleaning;
    harness.delegate->onEvent = [&](const std::string&) {
        busyWhileCleaning.push_back(engine->isBusy());
    };
    ASSERT_TRUE(harness.clean());
    EXPECT_FALSE(busyWhileCleaning.empty());
    EXPECT_TRUE(std::none_of(busyWhileCleaning.begin(), busyWhileCleaning.end(),
                             [](bool busy) { return busy; }));
}

TEST(DiskCleanerTest, CleaningDeletesSelectedLocationsAndKeepsEveryCategory) {
    TempHome home;
    for (const char* name :
         {"a/url", "a/sub", "b/s1", "b/s2", "c/s1", "d/s1", "e/url", "f/s1", "g/s1", "all/x"}) {
        home.file(name, 10);
    }
    std::map<std::string, std::shared_ptr<CleanerItem>> items;
    auto make = [&](const std::string& key, std::optional<Url> url, std::vector<Url> suburls,
                    bool selected) {
        auto item =
            std::make_shared<CleanerItem>(QString::fromStdString(key), std::nullopt, nullptr, url);
        for (auto& suburl : suburls) {
            item->addSuburl(suburl);
        }
        item->setSelected(selected);
        items[key] = item;
        return item;
    };
    auto mixed =
        std::make_shared<TestCategory>(QStringLiteral("Mixed"), [&](CleanerResult& result) {
            // Url deleted, one suburl not: the item leaves, keeping the suburl that stayed.
            result.add(make("A", home.url("a/url"), {home.url("a/sub"), undeletable}, true));
            // No url, every suburl deleted: leaves.
            result.add(make("B", std::nullopt, {home.url("b/s1"), home.url("b/s2")}, true));
            // No url, one suburl left: stays.
            result.add(make("C", std::nullopt, {home.url("c/s1"), undeletable}, true));
            // The url cannot go: stays, although its suburls went.
            result.add(make("D", undeletable, {home.url("d/s1")}, true));
            // Not selected: untouched.
            result.add(make("E", home.url("e/url"), {}, false));
            // Two items without a url: only the deleted one may leave.
            result.add(make("F", std::nullopt, {home.url("f/s1")}, false));
            result.add(make("G", std::nullopt, {home.url("g/s1")}, true));
        });
    auto allGone =
        std::make_shared<TestCategory>(QStringLiteral("AllGone"), [&](CleanerResult& result) {
            result.add(make("X", home.url("all/x"), {}, true));
        });
    auto nothing = std::make_shared<TestCategory>(QStringLiteral("Nothing"), nullptr);
    Harness harness(DiskCleaner::create(CategoryList{mixed, allGone, nothing}));
    ASSERT_TRUE(harness.search());

    ::testing::internal::CaptureStdout();
    ASSERT_TRUE(harness.clean());
    const std::string printed = ::testing::internal::GetCapturedStdout();
    EXPECT_EQ(std::count(printed.begin(), printed.end(), '\n'), 3)
        << "one line per failed location:\n"
        << printed;

    EXPECT_EQ(harness.delegate->events.front(), "startCleaning");
    EXPECT_EQ(harness.delegate->events.back(), "finishCleaning");
    EXPECT_EQ(harness.delegate->events[harness.delegate->events.size() - 2], "progress");
    EXPECT_EQ(harness.delegate->progresses.back(), 1.0F);

    for (const char* gone : {"a/url", "a/sub", "b/s1", "b/s2", "c/s1", "d/s1", "g/s1", "all/x"}) {
        EXPECT_FALSE(test::exists(home.pathOf(gone))) << gone;
    }
    EXPECT_TRUE(test::exists(home.pathOf("e/url")));
    EXPECT_TRUE(test::exists(home.pathOf("f/s1")));

    std::vector<QString> left;
    for (const auto& item : mixed->result()->items()) {
        left.push_back(item->name());
    }
    EXPECT_EQ(left, (std::vector<QString>{"C", "D", "E", "F"}));
    EXPECT_EQ(items["A"]->suburls(), std::vector<Url>{undeletable});
    EXPECT_EQ(items["C"]->suburls(), std::vector<Url>{undeletable});
    EXPECT_TRUE(items["D"]->suburls().empty());

    // Categories a cleaning emptied stay: new trash must show after the next search.
    EXPECT_EQ(harness.engine->categories().size(), 3U);
    ASSERT_TRUE(harness.search());
    EXPECT_EQ(mixed->searches.load(), 2);
    EXPECT_EQ(allGone->searches.load(), 2);
    EXPECT_EQ(nothing->searches.load(), 2);
}

TEST(DiskCleanerTest, CleaningWithNothingSelectedStillCountsEveryItem) {
    TempHome home;
    home.file("kept", 10);
    auto found =
        std::make_shared<TestCategory>(QStringLiteral("Found"), [&](CleanerResult& result) {
            result.add(home.url("kept"));
            result.add(home.url("kept"));
        });
    auto empty = std::make_shared<TestCategory>(QStringLiteral("Empty"), nullptr);
    Harness harness(DiskCleaner::create(CategoryList{empty, found}));
    ASSERT_TRUE(harness.search());
    ASSERT_TRUE(harness.clean());
    EXPECT_TRUE(test::exists(home.pathOf("kept")));
    EXPECT_EQ(found->result()->items().size(), 2U);
    // A category that found nothing stays for the next search.
    EXPECT_EQ(harness.engine->categories(), (CategoryList{empty, found}));
    EXPECT_EQ(harness.delegate->progresses.back(), 1.0F);
    // The first item of the engine's first cleaning always reports.
    EXPECT_EQ(harness.delegate->progresses.front(), 0.5F);
}

TEST(DiskCleanerTest, CleaningProgressIsThrottled) {
    TempHome home;
    constexpr int fileCount = 3000;
    for (int i = 0; i < fileCount; ++i) {
        home.file("many/f" + std::to_string(i), 1);
    }
    auto many = std::make_shared<TestCategory>(QStringLiteral("Many"), [&](CleanerResult& result) {
        for (int i = 0; i < fileCount; ++i) {
            auto item =
                std::make_shared<CleanerItem>(home.url("many/f" + std::to_string(i)), std::nullopt);
            item->setSelected(true);
            result.add(item);
        }
    });
    Harness harness(DiskCleaner::create(many));
    ASSERT_TRUE(harness.search());
    QElapsedTimer clock;
    clock.start();
    ASSERT_TRUE(harness.clean());
    const auto elapsedMs = clock.elapsed();
    const auto reports = harness.delegate->progresses.size() - 1; // the closing 1.0 is always sent
    EXPECT_LE(reports, static_cast<std::size_t>(elapsedMs / 25 + 2)) << elapsedMs << " ms";
    EXPECT_TRUE(
        std::is_sorted(harness.delegate->progresses.begin(), harness.delegate->progresses.end()));
    EXPECT_TRUE(many->result()->isEmpty());
}

TEST(DiskCleanerTest, PredefinedFormInstallsItsListAtEverySearch) {
    Harness harness(DiskCleaner::create());
    EXPECT_TRUE(harness.engine->usePredefinedCategories());
    EXPECT_TRUE(harness.engine->categories().empty());
    ASSERT_TRUE(harness.search());
    EXPECT_EQ(harness.engine->categories().size(), predefinedCategories().size());
    EXPECT_EQ(harness.delegate->events.front(), "start");
    EXPECT_EQ(harness.delegate->events.back(), "finish");
}
