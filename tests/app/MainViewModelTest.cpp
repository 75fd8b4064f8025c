#include "MainViewModel.h"
#include "AppFixture.h"
#include "ResultListModel.h"
#include "platform/Shutdown.h"
#include "support/Processes.h"

#include <QAbstractItemModelTester>
#include <QCoreApplication>
#include <QSignalSpy>

#include <filesystem>
#include <stdexcept>

using namespace sorvane;

namespace {

// Counts finished searches and started cleanings as the screens would see them.
class Observer {
public:
    explicit Observer(MainViewModel& model) {
        // The flag is announced on every assignment, but it turns false only at a search's end.
        QObject::connect(&model, &MainViewModel::isSearchingChanged, [this, &model] {
            if (!model.isSearching()) {
                ++searches;
                summariesAtLastSearch_ = summaries_;
            }
        });
        QObject::connect(&model, &MainViewModel::isCleaningChanged,
                         [this, &model] { cleanings += model.isCleaning() ? 1 : 0; });
        QObject::connect(&model, &MainViewModel::selectionInfoChanged, [this] { ++summaries_; });
    }

    // Waits for the next finished search and the selection summary that follows it.
    bool waitForSearch() {
        const int target = searches + 1;
        return test::waitUntil([&] { return searches >= target; }) &&
               test::waitUntil([&] { return summaries_ > summariesAtLastSearch_; });
    }

    int searches = 0;
    int cleanings = 0;

private:
    int summaries_ = 0;
    int summariesAtLastSearch_ = 0;
};

// The nodes' names, joined by commas.
std::string names(const QList<ResultViewModel*>& nodes) {
    QStringList found;
    for (const auto& node : nodes) {
        found.append(node->name());
    }
    return found.join(QLatin1Char(',')).toStdString();
}

// The shown categories, each with its shown items: "Trash(old.iso,notes.txt),Maps Cache(Data)".
std::string tree(const MainViewModel& model) {
    QStringList categories;
    for (const ResultViewModel* category : model.results()) {
        categories.append(category->name() + '(' +
                          QString::fromStdString(names(category->shownChildren())) + ')');
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

std::string data(const ResultListModel& list, int row, int role) {
    return list.data(list.index(row), role).toString().toStdString();
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

// The view model and the flat list the window shows of it.
TEST_F(MainViewModelTest, LaunchSearchesThenFiltersSortsAndDeletesTheSelection) {
    layOutHome();
    storeGrants(true, true);
    MainViewModel model;
    ResultListModel list(model);
    QAbstractItemModelTester tester(&list, QAbstractItemModelTester::FailureReportingMode::Fatal);
    Observer observer(model);
    EXPECT_TRUE(model.isAuthenticated());
    ASSERT_TRUE(observer.waitForSearch());
    EXPECT_EQ(tree(model), "Trash(old.iso,notes.txt),User Caches(Editor Cache),Maps Cache(Data),"
                           "Crash Reports(Editor_1.crash,Zed_2.crash)")
        << "largest first";
    EXPECT_EQ(shown(model, "Trash")->size(), 5007U);
    EXPECT_EQ(model.selectionInfo(), QStringLiteral("0 items selected, 0 B"));
    EXPECT_FALSE(model.hasSelection());
    EXPECT_FLOAT_EQ(model.progress(), 1.0F);

    // A filter is a case-insensitive substring (a matching category shows all of its items) and
    // keeps the chosen order; the name order is by code point at both levels.
    struct Step {
        SortBy sortBy; // applied before the filter
        const char* filter;
        std::string tree;
    };
    for (const Step& step : std::vector<Step>{
             {SortBy::size, "EDITOR", "User Caches(Editor Cache),Crash Reports(Editor_1.crash)"},
             {SortBy::size, "trAsh", "Trash(old.iso,notes.txt)"},
             {SortBy::size, "nothing matches", ""},
             {SortBy::name, "",
              "Crash Reports(Editor_1.crash,Zed_2.crash),Maps Cache(Data),Trash(notes.txt,old.iso),"
              "User Caches(Editor Cache)"}}) {
        SCOPED_TRACE(std::string(step.filter) + (step.sortBy == SortBy::name ? " by name" : ""));
        model.sort(step.sortBy);
        model.filter(QString::fromUtf8(step.filter));
        EXPECT_EQ(model.isFiltering(), *step.filter != '\0');
        EXPECT_EQ(tree(model), step.tree);
    }
    model.sort(SortBy::size);

    // The list opens a category below its row; a filter and its clearing keep what was open.
    EXPECT_EQ(rows(list), "Trash,User Caches,Maps Cache,Crash Reports");
    list.toggleExpanded(0);
    list.toggleExpanded(1); // an item row does not expand
    const std::string open = "Trash,old.iso,notes.txt,User Caches,Maps Cache,Crash Reports";
    ASSERT_EQ(rows(list), open);
    using Role = ResultListModel::Role;
    EXPECT_EQ(data(list, 0, Role::SizeTextRole), "4.89 KB");
    EXPECT_EQ(data(list, 1, Role::PathRole), home.pathOf("Library/.Trash/old.iso"));
    EXPECT_EQ(data(list, 0, Role::IsExpandedRole), "true");
    EXPECT_EQ(data(list, 3, Role::IsExpandedRole), "false");
    EXPECT_EQ(data(list, 0, Role::IconRole).rfind("stock/", 0), 0U);
    model.filter(QStringLiteral("old"));
    EXPECT_EQ(rows(list), "Trash,old.iso");
    model.filter(QString());
    EXPECT_EQ(rows(list), open);
    list.toggleExpanded(0);
    EXPECT_EQ(rows(list), "Trash,User Caches,Maps Cache,Crash Reports");
    list.toggleExpanded(0);

    // A click on an item: the item and its category change, reported once at the end of the turn.
    QSignalSpy changes(&list, &QAbstractItemModel::dataChanged);
    list.toggleChecked(2);
    EXPECT_EQ(changes.count(), 0);
    ASSERT_TRUE(changes.wait(2000));
    ASSERT_EQ(changes.count(), 1);
    EXPECT_EQ(changes.first().at(0).toModelIndex().row(), 0);
    EXPECT_EQ(changes.first().at(1).toModelIndex().row(), 2);
    EXPECT_EQ(data(list, 2, Role::CheckStateRole), std::to_string(Qt::Checked));
    EXPECT_EQ(data(list, 0, Role::CheckStateRole), std::to_string(Qt::PartiallyChecked));

    model.selectAll();
    ASSERT_TRUE(test::waitUntil(
        [&] { return model.selectionInfo() == QStringLiteral("6 items selected, 9.87 KB"); }));
    EXPECT_TRUE(model.hasSelection());
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
    EXPECT_EQ(names(shown(model, "Crash Reports")->shownChildren()), "Editor_1.crash");
    EXPECT_EQ(shown(model, "Crash Reports")->size(), 60U);
    EXPECT_FALSE(model.hasSelection());
}

// A launch applies the stored order (anything but 0 and 1 reads as size). Equal sizes keep the
// categories' own order, not the names', and a filter applied and cleared gives it back.
TEST_F(MainViewModelTest, StoredOrderAndEqualKeysSurviveAFilter) {
    home.file("Library/Containers/com.apple.Maps/Data/tiles", 100);
    home.file("Library/Application Support/CrashReporter/Editor_1.crash", 100);
    home.file("Library/.Trash/old.iso", 100);
    storeGrants(true, true);
    const std::string bySize = "Maps Cache,Crash Reports,Trash";
    const std::string byName = "Crash Reports,Maps Cache,Trash";
    for (const auto& [stored, expected] : std::vector<std::pair<QVariant, std::string>>{
             {QVariant(), bySize}, {1, byName}, {7, bySize}, {QStringLiteral("x"), bySize}}) {
        SCOPED_TRACE(stored.toString().toStdString());
        if (stored.isValid()) {
            UserDefaults::setValue(QStringLiteral("SortBy"), stored);
        }
        MainViewModel model;
        Observer observer(model);
        ASSERT_TRUE(observer.waitForSearch());
        EXPECT_EQ(names(model.results()), expected);
        for (const auto& [sortBy, order] :
             {std::pair{SortBy::size, bySize}, {SortBy::name, byName}}) {
            model.sort(sortBy);
            EXPECT_EQ(names(model.results()), order);
            model.filter(QStringLiteral("r"));
            model.filter(QStringLiteral("cr"));
            EXPECT_EQ(names(model.results()), "Crash Reports");
            model.filter(QString());
            EXPECT_EQ(names(model.results()), order) << "after a filter";
        }
    }
}

TEST_F(MainViewModelTest, GrantFlowWaitsForBothFolders) {
    storeGrants(true, false);
    MainViewModel model;
    Observer observer(model);
    ASSERT_NE(model.permissions(), nullptr);
    PermissionViewModel* library = model.permissions()->library();
    ASSERT_NE(library, nullptr);
    ASSERT_NE(model.permissions()->user(), nullptr);
    EXPECT_TRUE(model.permissions()->user()->isAuthenticated()) << "restored without asking";
    EXPECT_FALSE(model.isAuthenticated());
    EXPECT_EQ(library->path(), QString::fromStdString(home.pathOf("Library")));

    // The right folder that is not there yet: the grant is refused and the row stays open.
    model.chooseFolder(library, {library->path()});
    EXPECT_FALSE(library->isAuthenticated());
    layOutHome();
    test::waitUntil([] { return false; }, 300);
    EXPECT_EQ(observer.searches, 0);
    EXPECT_FALSE(model.isSearching());

    model.chooseFolder(library, {QString::fromStdString(home.path())});
    EXPECT_TRUE(library->showingAlert()) << "the home folder is not the Library folder";
    EXPECT_FALSE(library->isAuthenticated());
    library->setShowingAlert(false);

    model.chooseFolder(library, {QString::fromStdString(home.pathOf("Library/"))});
    EXPECT_FALSE(library->showingAlert());
    EXPECT_TRUE(library->isAuthenticated());
    EXPECT_TRUE(UserDefaults::value(QStringLiteral("Library")).has_value());
    EXPECT_TRUE(model.isAuthenticated());
    ASSERT_TRUE(observer.waitForSearch()) << "the second grant starts the search";
    EXPECT_EQ(model.results().size(), 4);
}

TEST_F(MainViewModelTest, RunningApplicationMarksItsCategory) {
    layOutHome();
    test::makeApp(home, "root/Applications/Maps.app", "com.apple.Maps");
    home.folder("root/Applications/Maps.app/Contents/MacOS");
    const std::string executable = home.pathOf("root/Applications/Maps.app/Contents/MacOS/Maps");
    std::filesystem::copy_file("/bin/sleep", executable);
    std::filesystem::permissions(executable, std::filesystem::perms::owner_all,
                                 std::filesystem::perm_options::add);
    test::ChildProcess maps(executable, {"60"});
    ASSERT_TRUE(maps.started());

    storeGrants(true, true);
    MainViewModel model;
    Observer observer(model);
    ASSERT_TRUE(observer.waitForSearch());
    ResultViewModel* mapsNode = shown(model, "Maps Cache");
    ASSERT_TRUE(test::waitUntil([&] { return mapsNode->isAppRunning(); }, 5000));
    EXPECT_FALSE(shown(model, "Trash")->isAppRunning());
    maps.kill();
    ASSERT_TRUE(test::waitUntil([&] { return !mapsNode->isAppRunning(); }, 5000));
}

// Selecting everything is one change report for the rows and one measurement for the summary,
// made at the end of the turn rather than per row.
TEST_F(MainViewModelTest, ThousandsOfItemsSelectInOneReport) {
    constexpr int itemCount = 5000;
    for (int i = 0; i < itemCount; ++i) {
        home.file("Library/.Trash/f" + std::to_string(i));
    }
    storeGrants(true, true);
    MainViewModel model;
    ResultListModel list(model);
    QAbstractItemModelTester tester(&list, QAbstractItemModelTester::FailureReportingMode::Fatal);
    Observer observer(model);
    ASSERT_TRUE(observer.waitForSearch());
    list.toggleExpanded(0);
    ASSERT_EQ(list.rowCount(), itemCount + 1);

    QSignalSpy changes(&list, &QAbstractItemModel::dataChanged);
    QSignalSpy summaries(&model, &MainViewModel::selectionInfoChanged);
    model.selectAll();
    ASSERT_TRUE(summaries.wait(10000));
    EXPECT_EQ(changes.count(), 1) << "one report for every row that changed";
    EXPECT_EQ(summaries.count(), 1) << "one measurement for the whole action";
    EXPECT_EQ(model.selectionInfo(), QStringLiteral("5000 items selected, 0 B"));
    EXPECT_EQ(data(list, itemCount, ResultListModel::CheckStateRole), std::to_string(Qt::Checked));
}

// The view model reads the engine's lists only between the end of a search and the start of a
// cleaning. Typing while the engine fills its lists, and pressing Delete or clicking in the turn
// right after a cleaning, touch only the tree (the thread checker watches both).
TEST_F(MainViewModelTest, ThreadsMeetOnlyAtTheHandOvers) {
    layOutHome();
    for (int i = 0; i < 1500; ++i) {
        home.file("Library/.Trash/many-" + std::to_string(i), 10);
    }
    storeGrants(true, true);
    MainViewModel model;
    Observer observer(model);
    for (int keystrokes = 0; model.isSearching() && keystrokes < 2000; ++keystrokes) {
        model.filter(keystrokes % 2 == 0 ? QStringLiteral("many") : QString());
        model.selectAll();
        QCoreApplication::processEvents();
    }
    // The search may well have ended inside the loop above.
    ASSERT_TRUE(test::waitUntil([&] { return observer.searches == 1 && !model.isSearching(); }));
    model.filter(QString());

    model.selectAll();
    bool searchingRightAfter = false;
    QObject::connect(&model, &MainViewModel::isCleaningChanged, &model, [&] {
        if (!model.isCleaning()) {
            searchingRightAfter = model.isSearching();
            model.deleteSelection();
            model.filter(QStringLiteral("many"));
            model.selectAll();
        }
    });
    model.deleteSelection();
    ASSERT_TRUE(observer.waitForSearch());
    EXPECT_TRUE(searchingRightAfter) << "Delete is inert from the end of a cleaning on";
    EXPECT_EQ(observer.cleanings, 1);
    EXPECT_FALSE(test::exists(home.pathOf("Library/.Trash/many-0")));
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
    storeGrants(true, true);
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
    // Whatever the quitting interrupted, nothing outside the selection went.
    EXPECT_TRUE(test::exists(home.pathOf("Library/Caches/org.sample.Editor/cache.db")));
}
