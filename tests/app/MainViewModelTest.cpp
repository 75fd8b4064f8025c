#include "MainViewModel.h"
#include "AppFixture.h"
#include "KeptListModel.h"
#include "ResultListModel.h"
#include "SettingsViewModel.h"
#include "platform/fs/Shutdown.h"
#include "platform/keep/KeepListFile.h"
#include "support/Processes.h"

#include <QAbstractItemModelTester>
#include <QCoreApplication>
#include <QSignalSpy>

#include <fcntl.h>
#include <filesystem>
#include <stdexcept>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <tuple>
#include <utility>
#include <vector>

using namespace sorvane;

namespace {

// Counts finished searches and started cleanings as the screens would see them. The selection
// summary is measured a turn after a search ends: tests wait for the text they expect.
class Observer {
public:
    explicit Observer(MainViewModel& model) {
        // The flag is announced when it changes, and it turns false only at a search's end.
        QObject::connect(&model, &MainViewModel::isSearchingChanged,
                         [this, &model] { searches += model.isSearching() ? 0 : 1; });
        QObject::connect(&model, &MainViewModel::isCleaningChanged,
                         [this, &model] { cleanings += model.isCleaning() ? 1 : 0; });
    }

    bool waitForSearch() {
        const int target = searches + 1;
        return test::waitUntil([&] { return searches >= target; });
    }

    int searches = 0;
    int cleanings = 0;
};

// The shown categories, each with its shown items: "Trash(old.iso,notes.txt),Maps Cache(Data)".
std::string tree(const MainViewModel& model) {
    QStringList categories;
    for (const ResultViewModel* category : model.results()) {
        QStringList items;
        for (const ResultViewModel* item : category->shownChildren()) {
            items.append(item->name());
        }
        categories.append(category->name() + '(' + items.join(QLatin1Char(',')) + ')');
    }
    return categories.join(QLatin1Char(',')).toStdString();
}

// The list's rows by name, joined by commas.
std::string rows(const ResultListModel& list) {
    QStringList found;
    for (int row = 0; row < list.rowCount(); ++row) {
        found.append(list.data(list.index(row), ResultListModel::NameRole).toString());
    }
    return found.join(QLatin1Char(',')).toStdString();
}

// The shown category of that name. A missing one throws, which fails the test that asked
// instead of crashing the whole test program.
ResultViewModel* shown(const MainViewModel& model, const std::string& name) {
    for (ResultViewModel* node : model.results()) {
        if (node->name().toStdString() == name) {
            return node;
        }
    }
    throw std::out_of_range("no category '" + name + "' is shown");
}

class MainViewModelTest : public test::AppTest {
protected:
    // Something for four categories, each of another size.
    void layOutHome() {
        home.file("Library/.Trash/old.iso", 5000);
        home.file("Library/.Trash/notes.txt", 7);
        home.file("Library/Caches/org.sample.Editor/cache.db", 3000);
        home.file("Library/Containers/com.apple.Maps/Data/tiles", 2000);
        home.file("Library/Application Support/CrashReporter/Editor_1.crash", 60);
        home.file("Library/Application Support/CrashReporter/Zed_2.crash", 40);
        test::makeApp(home, "root/Applications/Editor.app", "org.sample.Editor");
    }
};

} // namespace

// The view model and the flat list the window shows of it, with the Maps application running.
TEST_F(MainViewModelTest, LaunchSearchesThenFiltersSortsAndDeletesTheSelection) {
    layOutHome();
    test::makeApp(home, "root/Applications/Maps.app", "com.apple.Maps");
    home.folder("root/Applications/Maps.app/Contents/MacOS");
    const std::string executable = home.pathOf("root/Applications/Maps.app/Contents/MacOS/Maps");
    std::filesystem::copy_file("/bin/sleep", executable); // with its mode
    test::ChildProcess maps(executable, {"60"});
    ASSERT_TRUE(maps.started());
    storeGrants();
    MainViewModel model;
    ResultListModel list(model);
    QAbstractItemModelTester tester(&list, QAbstractItemModelTester::FailureReportingMode::Fatal);
    Observer observer(model);
    EXPECT_TRUE(model.isAuthenticated());
    ASSERT_TRUE(observer.waitForSearch());
    EXPECT_EQ(tree(model), "Trash(old.iso,notes.txt),User Caches(Editor Cache),Maps Cache(Data),"
                           "Crash Reports(Editor_1.crash,Zed_2.crash)")
        << "largest first";
    EXPECT_TRUE(test::waitUntil(
        [&] { return model.selectionInfo() == QStringLiteral("0 items selected, 0 B"); }));
    ResultViewModel* mapsNode = shown(model, "Maps Cache");
    ASSERT_TRUE(test::waitUntil([&] { return mapsNode->isAppRunning(); }, 5000));
    EXPECT_FALSE(shown(model, "Trash")->isAppRunning());

    // A filter is a case-insensitive substring (a matching category shows all of its items) and
    // keeps the chosen order.
    for (const auto& [filter, expected] : std::vector<std::pair<QString, std::string>>{
             {"EDITOR", "User Caches(Editor Cache),Crash Reports(Editor_1.crash)"},
             {"trAsh", "Trash(old.iso,notes.txt)"},
             {"nothing matches", ""}}) {
        model.filter(filter);
        EXPECT_EQ(tree(model), expected) << filter.toStdString();
    }
    model.filter(QString());
    EXPECT_FALSE(model.isFiltering());
    // The name order is by code point at both levels.
    model.sort(SortBy::name);
    EXPECT_EQ(tree(model), "Crash Reports(Editor_1.crash,Zed_2.crash),Maps Cache(Data),"
                           "Trash(notes.txt,old.iso),User Caches(Editor Cache)");
    model.sort(SortBy::size);

    // The list opens a category below its row; a filter and its clearing keep what was open.
    EXPECT_EQ(rows(list), "Trash,User Caches,Maps Cache,Crash Reports");
    list.toggleExpanded(0);
    list.toggleExpanded(1); // an item row does not expand
    const std::string open = "Trash,old.iso,notes.txt,User Caches,Maps Cache,Crash Reports";
    ASSERT_EQ(rows(list), open);
    model.filter(QStringLiteral("old"));
    EXPECT_EQ(rows(list), "Trash,old.iso");
    model.filter(QStringLiteral("zed")); // hides the open Trash, which stays open
    model.filter(QString());
    EXPECT_EQ(rows(list), open);
    list.toggleExpanded(0);
    EXPECT_EQ(rows(list), "Trash,User Caches,Maps Cache,Crash Reports");
    list.toggleExpanded(0);

    QSignalSpy changes(&list, &QAbstractItemModel::dataChanged);
    const auto changedRows = [&] {
        std::vector<std::pair<int, int>> found;
        for (const QList<QVariant>& change : std::as_const(changes)) {
            found.emplace_back(change.at(0).toModelIndex().row(),
                               change.at(1).toModelIndex().row());
        }
        changes.clear();
        return found;
    };
    // A click on an item: the item and its category change, reported at the end of the turn,
    // without the unchanged row between them.
    list.toggleChecked(2);
    EXPECT_EQ(changes.count(), 0);
    ASSERT_TRUE(changes.wait(2000));
    EXPECT_EQ(changedRows(), (std::vector<std::pair<int, int>>{{0, 0}, {2, 2}}));

    model.selectAll();
    ASSERT_TRUE(test::waitUntil(
        [&] { return model.selectionInfo() == QStringLiteral("6 items selected, 9.87 KB"); }));
    // Only shown items are reached while filtering.
    model.unselectAll();
    model.filter(QStringLiteral("old"));
    model.selectAll();
    model.filter(QString());
    ASSERT_TRUE(test::waitUntil(
        [&] { return model.selectionInfo() == QStringLiteral("1 item selected, 4.88 KB"); }));
    EXPECT_EQ(shown(model, "Trash")->isSelected(), std::nullopt);

    ResultViewModel* crashes = shown(model, "Crash Reports");
    ASSERT_EQ(crashes->children().size(), 2);
    crashes->children()[1]->toggle();
    model.deleteSelection();
    model.deleteSelection(); // a second press before the cleaning reports must not start another
    ASSERT_TRUE(test::waitUntil([&] { return model.isShowingSummary(); }));
    model.searchAgain();
    ASSERT_TRUE(observer.waitForSearch());
    EXPECT_EQ(observer.cleanings, 1);
    for (const auto& [path, kept] : std::vector<std::pair<std::string, bool>>{
             {".Trash/old.iso", false},
             {".Trash/notes.txt", true},
             {"Application Support/CrashReporter/Zed_2.crash", false},
             {"Application Support/CrashReporter/Editor_1.crash", true}}) {
        EXPECT_EQ(test::exists(home.pathOf("Library/" + path)), kept) << path;
    }
    EXPECT_EQ(rows(list), "User Caches,Maps Cache,Crash Reports,Trash")
        << "the other categories whole, all closed after the new search";
    EXPECT_EQ(tree(model), "User Caches(Editor Cache),Maps Cache(Data),"
                           "Crash Reports(Editor_1.crash),Trash(notes.txt)");
    EXPECT_TRUE(test::waitUntil([&] { return !model.hasSelection(); }));

    // The new search's node knows that Maps runs, which the monitor, speaking only of changes,
    // has not said again. It checks every second: while nothing changes the list hears nothing,
    // and the end of Maps announces its category's row alone.
    mapsNode = shown(model, "Maps Cache");
    EXPECT_TRUE(mapsNode->isAppRunning());
    list.toggleExpanded(0);
    changes.clear();
    EXPECT_FALSE(changes.wait(1500)) << "a check with nothing changed";
    maps.kill();
    ASSERT_TRUE(changes.wait(5000));
    EXPECT_FALSE(mapsNode->isAppRunning());
    EXPECT_EQ(changedRows(), (std::vector<std::pair<int, int>>{{2, 2}}));
}

// Keeping takes a row out at once, moves its shrunk category and updates the totals; the list
// holds "~/" entries, the next search leaves them out, the Kept panel's list measures them, and
// an entry removed there is offered again by the search that its closing starts.
TEST_F(MainViewModelTest, KeptRowsLeaveAtOnceAndComeBackWhenTheirEntryGoes) {
    layOutHome();
    storeGrants();
    MainViewModel model;
    ResultListModel list(model);
    KeptListModel kept(model);
    QAbstractItemModelTester listTester(&list,
                                        QAbstractItemModelTester::FailureReportingMode::Fatal);
    QAbstractItemModelTester keptTester(&kept,
                                        QAbstractItemModelTester::FailureReportingMode::Fatal);
    Observer observer(model);
    ASSERT_TRUE(observer.waitForSearch());
    list.toggleExpanded(0);
    model.selectAll();
    ASSERT_TRUE(test::waitUntil([&] { return model.selectionInfo().startsWith("6 items"); }));
    const auto byName = [&](const QString& name) {
        return list.node(list.match(list.index(0), ResultListModel::NameRole, name).value(0).row());
    };
    model.keep(byName("old.iso"));
    EXPECT_EQ(rows(list), "User Caches,Maps Cache,Crash Reports,Trash,notes.txt");
    EXPECT_EQ(list.data(list.index(3), ResultListModel::SizeTextRole).toString().toStdString(),
              "7 B");
    list.keep(list.match(list.index(0), ResultListModel::NameRole, "Crash Reports")[0].row());
    EXPECT_EQ(rows(list), "User Caches,Maps Cache,Trash,notes.txt");
    EXPECT_TRUE(test::waitUntil(
        [&] { return model.selectionInfo() == QStringLiteral("3 items selected, 4.89 KB"); }));
    const std::string reports = "~/Library/Application Support/CrashReporter/";
    const std::vector<std::string> entries{"~/Library/.Trash/old.iso", reports + "Editor_1.crash",
                                           reports + "Zed_2.crash"};
    EXPECT_EQ(KeepListFile::read().entries, entries);

    // A list that cannot be written changes nothing and says why.
    KeepListFile::useLocation(home.file("blocker") + "/keep.list");
    model.keep(byName("notes.txt"));
    KeepListFile::useLocation(home.pathOf(".config/Sorvane/keep.list"));
    EXPECT_EQ(rows(list), "User Caches,Maps Cache,Trash,notes.txt");
    EXPECT_EQ(model.alertTitle(), QStringLiteral("The keep list was not changed"));
    EXPECT_TRUE(model.alertText().endsWith("Not a directory")) << model.alertText().toStdString();

    model.searchAgain();
    ASSERT_TRUE(observer.waitForSearch());
    EXPECT_EQ(tree(model), "User Caches(Editor Cache),Maps Cache(Data),Trash(notes.txt)");
    kept.reload();
    ASSERT_EQ(kept.rowCount(), 3);
    const auto keptData = [&](int row, int role) { return kept.data(kept.index(row), role); };
    EXPECT_EQ(keptData(0, KeptListModel::HoldingsRole).toString().toStdString(), "measuring…");
    ASSERT_TRUE(test::waitUntil([&] {
        return keptData(0, KeptListModel::IsMeasuredRole).toBool() &&
               keptData(1, KeptListModel::IsMeasuredRole).toBool() &&
               keptData(2, KeptListModel::IsMeasuredRole).toBool();
    }));
    EXPECT_EQ(keptData(0, KeptListModel::HoldingsRole).toString().toStdString(),
              "1 location, 4.88 KB");
    EXPECT_EQ(keptData(2, KeptListModel::SizeRole).toULongLong(), 40u);
    kept.close();
    EXPECT_FALSE(model.isSearching()) << "nothing changed, nothing to search";
    kept.remove(0);
    EXPECT_EQ(KeepListFile::read().entries, std::vector(entries.begin() + 1, entries.end()));
    ASSERT_EQ(kept.rowCount(), 2);
    kept.close();
    ASSERT_TRUE(observer.waitForSearch());
    EXPECT_EQ(tree(model), "Trash(old.iso,notes.txt),User Caches(Editor Cache),Maps Cache(Data)");
}

// A launch applies the stored order (anything but 0 and 1 reads as size). Equal sizes keep the
// categories' own order, not the names', and a filter applied and cleared gives it back.
TEST_F(MainViewModelTest, StoredOrderAndEqualKeysSurviveAFilter) {
    home.file("Library/Containers/com.apple.Maps/Data/tiles", 100);
    home.file("Library/Application Support/CrashReporter/Editor_1.crash", 100);
    home.file("Library/.Trash/old.iso", 100);
    storeGrants();
    const std::string bySize = "Maps Cache(Data),Crash Reports(Editor_1.crash),Trash(old.iso)";
    const std::string byName = "Crash Reports(Editor_1.crash),Maps Cache(Data),Trash(old.iso)";
    for (const auto& [stored, expected] : std::vector<std::pair<QVariant, std::string>>{
             {QVariant(), bySize}, {1, byName}, {-1, bySize}, {QStringLiteral("x"), bySize}}) {
        SCOPED_TRACE(stored.toString().toStdString());
        if (stored.isValid()) {
            UserDefaults::setValue(QStringLiteral("SortBy"), stored);
        }
        MainViewModel model;
        Observer observer(model);
        ASSERT_TRUE(observer.waitForSearch());
        EXPECT_EQ(tree(model), expected);
        for (const auto& [sortBy, order] :
             {std::pair{SortBy::size, bySize}, {SortBy::name, byName}}) {
            model.sort(sortBy);
            EXPECT_EQ(tree(model), order);
            model.filter(QStringLiteral("r"));
            model.filter(QStringLiteral("cr"));
            EXPECT_EQ(tree(model), "Crash Reports(Editor_1.crash)");
            model.filter(QString());
            EXPECT_EQ(tree(model), order) << "after a filter";
        }
    }
}

// The stored age limit is what the menu shows after a restart and what the search offers; a
// change is stored and searched again at once.
TEST_F(MainViewModelTest, StoredAgeLimitRoundTripsAndDecidesWhatIsOffered) {
    home.file("Library/.Trash/old.iso", 100);
    home.file("Library/.Trash/new.txt", 7);
    const timespec longAgo[2] = {{time(nullptr) - 60L * 86400, 0},
                                 {time(nullptr) - 60L * 86400, 0}};
    ASSERT_EQ(utimensat(AT_FDCWD, home.pathOf("Library/.Trash/old.iso").c_str(), longAgo, 0), 0);
    storeGrants();
    const std::string both = "Trash(old.iso,new.txt)";
    for (const auto& [stored, choice, offered] :
         std::vector<std::tuple<QVariant, int, std::string>>{
             {QVariant(), 0, both}, {30, 2, "Trash(old.iso)"}, {45, 0, both}, {"x", 0, both}}) {
        SCOPED_TRACE(stored.toString().toStdString());
        if (stored.isValid()) {
            UserDefaults::setValue(QStringLiteral("OlderThanDays"), stored);
        }
        EXPECT_EQ(SettingsViewModel().ageChoice(), choice);
        MainViewModel model;
        Observer observer(model);
        ASSERT_TRUE(observer.waitForSearch());
        EXPECT_EQ(tree(model), offered);
    }
    SettingsViewModel settings;
    QSignalSpy stored(&settings, &SettingsViewModel::olderThanDaysChanged);
    settings.setOlderThanDays(12);
    settings.setOlderThanDays(30);
    EXPECT_EQ(stored.count(), 1) << "only the menu's choices are stored";
    MainViewModel model;
    Observer observer(model);
    ASSERT_TRUE(observer.waitForSearch());
    EXPECT_EQ(tree(model), "Trash(old.iso)");
    model.setOlderThanDays(0);
    ASSERT_TRUE(observer.waitForSearch());
    EXPECT_EQ(tree(model), both);
}

// The view model reads the engine's lists only between the end of a search and the start of a
// cleaning. Typing while the engine fills its lists, and pressing Delete or clicking in the turn
// right after a cleaning, touch only the tree (the thread checker watches both).
TEST_F(MainViewModelTest, ThreadsMeetOnlyAtTheHandOvers) {
    layOutHome();
    for (int i = 0; i < 1500; ++i) {
        home.file("Library/.Trash/many-" + std::to_string(i), 10);
    }
    storeGrants();
    MainViewModel model;
    ResultListModel list(model);
    QAbstractItemModelTester tester(&list, QAbstractItemModelTester::FailureReportingMode::Fatal);
    Observer observer(model);
    for (int keystrokes = 0; model.isSearching() && keystrokes < 2000; ++keystrokes) {
        model.filter(keystrokes % 2 == 0 ? QStringLiteral("many") : QString());
        model.selectAll();
        QCoreApplication::processEvents();
    }
    // The search may well have ended inside the loop above.
    ASSERT_TRUE(test::waitUntil([&] { return observer.searches == 1 && !model.isSearching(); }));
    model.filter(QString());

    // Selecting everything is one change report for the rows and one measurement for the
    // summary, made at the end of the turn rather than per row.
    model.unselectAll();
    ASSERT_TRUE(test::waitUntil([&] { return model.selectionInfo().startsWith("0 items"); }));
    list.toggleExpanded(0);
    ASSERT_EQ(list.rowCount(), 4 + 1502);
    QSignalSpy changes(&list, &QAbstractItemModel::dataChanged);
    QSignalSpy summaries(&model, &MainViewModel::selectionInfoChanged);
    model.selectAll();
    ASSERT_TRUE(summaries.wait(10000));
    EXPECT_EQ(changes.count(), 1) << "one report for every row that changed";
    EXPECT_EQ(summaries.count(), 1) << "one measurement for the whole action";
    EXPECT_TRUE(model.selectionInfo().startsWith("1506 items selected"));
    EXPECT_EQ(list.data(list.index(1502), ResultListModel::CheckStateRole).toInt(), Qt::Checked);

    bool summaryRightAfter = false;
    QObject::connect(&model, &MainViewModel::isCleaningChanged, &model, [&] {
        if (!model.isCleaning()) {
            summaryRightAfter = model.isShowingSummary();
            model.deleteSelection();
            model.filter(QStringLiteral("many"));
            model.selectAll();
        }
    });
    model.deleteSelection();
    ASSERT_TRUE(test::waitUntil([&] { return model.isShowingSummary(); }));
    model.searchAgain();
    ASSERT_TRUE(observer.waitForSearch());
    EXPECT_TRUE(summaryRightAfter) << "Delete is inert from the end of a cleaning on";
    EXPECT_EQ(observer.cleanings, 1);
    EXPECT_FALSE(test::exists(home.pathOf("Library/.Trash/many-0")));
}

// The cleaning screen follows the engine's latest report; Stop cancels the run (a cleaning goes
// on to its summary, a search shows what it searched, with a note); the summary lists every
// location that stayed with its reason, and only its button starts the next search.
TEST_F(MainViewModelTest, StopProgressAndTheSummaryBeforeTheNextSearch) {
    layOutHome();
    for (int i = 0; i < 3000; ++i) {
        home.file("Library/Containers/com.apple.Maps/Data/t" + std::to_string(i), 1);
    }
    for (int i = 0; i < 1500; ++i) {
        home.file("Library/.Trash/many-" + std::to_string(i), 10);
    }
    storeGrants();
    MainViewModel model;
    Observer observer(model);
    ASSERT_TRUE(observer.waitForSearch());
    const auto engine = model.cleaner().delegate().lock();
    ASSERT_NE(engine, nullptr);
    const CleaningProgressViewModel& progress = *model.cleaning();
    for (const auto& [report, items, bytes, fraction] :
         std::vector<std::tuple<CleaningProgress, std::string, std::string, double>>{
             {{3, 12, 1536, 4096, "/h/.cache/a"}, "3 of 12 items", "1.5 KB of 4 KB removed", 0.25},
             {{}, "0 of 0 items", "0 B of 0 B removed", 0}}) {
        engine->cleanerDidProgressCleaning(report);
        EXPECT_EQ(progress.location().toStdString(), report.location);
        EXPECT_EQ(progress.itemsText().toStdString(), items);
        EXPECT_EQ(progress.bytesText().toStdString(), bytes);
        EXPECT_DOUBLE_EQ(progress.fraction(), fraction);
    }

    // Stopped at once, the cleaning reaches none of the trash; its summary shows, nothing searches.
    model.selectAll();
    shown(model, "Maps Cache")->setSelected(false);
    model.deleteSelection();
    model.stop();
    ASSERT_TRUE(test::waitUntil([&] { return model.isShowingSummary() && !model.isCleaning(); }));
    EXPECT_TRUE(test::exists(home.pathOf("Library/.Trash/many-1499")));
    model.deleteSelection();
    EXPECT_FALSE(test::waitUntil([&] { return model.isSearching() || model.isCleaning(); }, 300));

    CleaningSummaryModel& summary = *model.summary();
    QAbstractItemModelTester tester(&summary,
                                    QAbstractItemModelTester::FailureReportingMode::Fatal);
    CleaningSummary report{{}, 4, {}, true};
    // One file system known by where it is mounted, one that no mount names.
    struct stat root {};
    ASSERT_EQ(stat("/", &root), 0);
    report.freed.add(root.st_dev, 3000);
    report.freed.add(makedev(4095, 1048575), 2048);
    const std::vector<std::pair<RemovalReason, std::string>> reasons{
        {RemovalReason::permissionDenied, "You lack the permission to remove it."},
        {RemovalReason::readOnly, "It lies on a read-only file system."},
        {RemovalReason::mountPoint, "Another file system is mounted there."},
        {RemovalReason::kept, "The Kept list keeps it."},
        {RemovalReason::alreadyGone, "It was no longer there."},
        {RemovalReason::stopped, "The cleaning was stopped before it came to it."},
        {RemovalReason::failed, "It could not be removed."}};
    for (const auto& [reason, text] : reasons) {
        report.remaining.push_back({"KEY", "/h/%2" + std::string(wordOf(reason)), reason, "msg"});
    }
    engine->cleanerDidSummarizeCleaning(report);
    EXPECT_EQ(summary.title(), QStringLiteral("Cleaning Stopped"));
    EXPECT_EQ(summary.freedText(), QStringLiteral("4.93 KB freed on disk"));
    EXPECT_EQ(summary.freedByFileSystem(), QStringList({"2.93 KB on the file system /",
                                                        "2 KB on the file system 4095:1048575"}));
    EXPECT_EQ(summary.cleanedText(), QStringLiteral("4 items cleaned"));
    EXPECT_EQ(summary.remainingText(), QStringLiteral("7 locations stayed"));
    ASSERT_EQ(summary.rowCount(), 7);
    for (int row = 0; row < 7; ++row) {
        const auto data = [&](int role) { return summary.data(summary.index(row), role); };
        const std::string word(wordOf(reasons[row].first));
        EXPECT_EQ(data(CleaningSummaryModel::PathRole).toString().toStdString(), "/h/%2" + word);
        EXPECT_EQ(data(CleaningSummaryModel::DescriptionRole).toString().toStdString(),
                  "/h/%2" + word + ": " + reasons[row].second + " msg");
        EXPECT_EQ(data(CleaningSummaryModel::ReasonRole).toString().toStdString(), word);
        EXPECT_EQ(data(CleaningSummaryModel::ReasonTextRole).toString().toStdString(),
                  reasons[row].second);
        EXPECT_EQ(data(CleaningSummaryModel::MessageRole).toString(), QStringLiteral("msg"));
        AppStrings::setLocale(QLocale(QLocale::German));
        EXPECT_FALSE(CleaningSummaryModel::reasonText(reasons[row].first).startsWith("REASON_"));
        AppStrings::setLocale(QLocale(QLocale::English));
    }

    // Stopped while it searches the first category, the search shows that one with a note.
    QObject::connect(&model, &MainViewModel::searchCategoryChanged, &model, [&] {
        if (!model.searchCategory().isEmpty()) {
            model.stop();
            engine->cleanerDidStopSearch();
        }
    });
    model.searchAgain();
    EXPECT_FALSE(model.isShowingSummary());
    ASSERT_TRUE(observer.waitForSearch());
    EXPECT_TRUE(model.searchStopped());
    EXPECT_EQ(tree(model), "Maps Cache(Data)");
}

// Quitting at any moment ends the process cleanly: the engine's thread stops at its next entry
// and is waited for before the process's statics go (the sanitizers watch the exit).
TEST_F(MainViewModelTest, QuittingAtAnyMomentEndsTheProcessCleanly) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    layOutHome();
    for (int i = 0; i < 400; ++i) {
        home.file("Library/Caches/org.sample.Many/d" + std::to_string(i) + "/f", 10);
        home.file("Library/.Trash/t" + std::to_string(i) + "/f", 10);
    }
    storeGrants();
    for (const bool duringCleaning : {false, true}) {
        for (const int afterMs : {0, 5, 40}) {
            SCOPED_TRACE((duringCleaning ? "cleaning, " : "search, ") + std::to_string(afterMs));
            EXPECT_EXIT(
                {
                    {
                        MainViewModel model;
                        Observer observer(model);
                        if (duringCleaning) {
                            if (!observer.waitForSearch()) {
                                std::_Exit(3);
                            }
                            model.selectAll();
                            model.deleteSelection();
                        }
                        test::waitUntil([] { return false; }, afterMs);
                        Shutdown::begin();
                    }
                    std::exit(0);
                },
                ::testing::ExitedWithCode(0), "");
        }
    }
}
