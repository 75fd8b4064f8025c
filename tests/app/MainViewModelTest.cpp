#include "MainViewModel.h"
#include "AppFixture.h"
#include "SettingsViewModel.h"
#include "platform/Shutdown.h"
#include "support/Processes.h"

#include <QCoreApplication>

#include <filesystem>
#include <stdexcept>

using namespace sorvane;

namespace {

// Counts finished searches and started cleanings as the screens would see them.
class Observer {
public:
    explicit Observer(MainViewModel& model)
        : model_(model) {
        QObject::connect(&model, &MainViewModel::isSearchingChanged, [this] {
            if (model_.isSearching()) {
                searching_ = true;
            } else if (searching_) {
                searching_ = false;
                ++searches;
                summariesAtLastSearch_ = summaries;
            }
        });
        QObject::connect(&model, &MainViewModel::isCleaningChanged, [this] {
            if (model_.isCleaning()) {
                ++cleanings;
            }
        });
        QObject::connect(&model, &MainViewModel::selectionInfoChanged, [this] { ++summaries; });
    }

    // Waits for the next finished search and the selection summary that follows it.
    bool waitForSearch() {
        const int target = searches + 1;
        return test::waitUntil([&] { return searches >= target; }) &&
               test::waitUntil([&] { return summaries > summariesAtLastSearch_; });
    }

    int searches = 0;
    int cleanings = 0;
    int summaries = 0;

private:
    MainViewModel& model_;
    bool searching_ = false;
    int summariesAtLastSearch_ = 0;
};

std::vector<std::string> names(const QList<ResultViewModel*>& nodes) {
    std::vector<std::string> found;
    for (const ResultViewModel* node : nodes) {
        found.push_back(node->name().toStdString());
    }
    return found;
}

std::vector<std::string> shownItems(const ResultViewModel* category) {
    return names(category->shownChildren());
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

ResultViewModel* child(const ResultViewModel* category, qsizetype index) {
    if (index >= category->children().size()) {
        throw std::out_of_range("the category has no item " + std::to_string(index));
    }
    return category->children()[index];
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

TEST_F(MainViewModelTest, LaunchWithBothGrantsSearchesAndShowsResults) {
    layOutHome();
    storeGrants(true, true);
    MainViewModel model;
    Observer observer(model);
    EXPECT_TRUE(model.isAuthenticated());
    ASSERT_TRUE(observer.waitForSearch());

    EXPECT_EQ(names(QList<ResultViewModel*>([&] {
                  QList<ResultViewModel*> all;
                  for (const auto& node : model.allResults()) {
                      all.append(node.get());
                  }
                  return all;
              }())),
              (std::vector<std::string>{"Maps Cache", "Crash Reports", "Trash", "User Caches"}))
        << "built in the categories' order";
    EXPECT_EQ(names(model.results()),
              (std::vector<std::string>{"Trash", "User Caches", "Maps Cache", "Crash Reports"}))
        << "shown largest first";
    EXPECT_EQ(shown(model, "Trash")->size(), 5007U);
    EXPECT_EQ(shownItems(shown(model, "Trash")),
              (std::vector<std::string>{"old.iso", "notes.txt"}));
    EXPECT_EQ(shownItems(shown(model, "User Caches")), (std::vector<std::string>{"Editor Cache"}));
    EXPECT_EQ(model.selectionInfo(), QStringLiteral("0 items selected, 0 B"));
    EXPECT_FALSE(model.hasSelection());
    EXPECT_FALSE(model.isFiltering());
    EXPECT_FLOAT_EQ(model.progress(), 1.0F);

    // Filtering: case-insensitive substring; a matching category shows all of its items.
    model.filter(QStringLiteral("EDITOR"));
    EXPECT_TRUE(model.isFiltering());
    EXPECT_EQ(names(model.results()), (std::vector<std::string>{"User Caches", "Crash Reports"}))
        << "a filter keeps the chosen order";
    EXPECT_EQ(shownItems(shown(model, "Crash Reports")),
              (std::vector<std::string>{"Editor_1.crash"}));
    model.filter(QStringLiteral("trAsh"));
    EXPECT_EQ(shownItems(shown(model, "Trash")),
              (std::vector<std::string>{"old.iso", "notes.txt"}));
    model.filter(QStringLiteral("nothing matches"));
    EXPECT_TRUE(model.results().isEmpty());
    EXPECT_TRUE(model.isFiltering());
    model.filter(QString());
    EXPECT_EQ(shownItems(shown(model, "Crash Reports")),
              (std::vector<std::string>{"Editor_1.crash", "Zed_2.crash"}));
    EXPECT_EQ(model.results().size(), 4);

    // Sorting by name: code-point order at both levels.
    model.sort(SortBy::name);
    EXPECT_EQ(names(model.results()),
              (std::vector<std::string>{"Crash Reports", "Maps Cache", "Trash", "User Caches"}));
    EXPECT_EQ(shownItems(shown(model, "Trash")),
              (std::vector<std::string>{"notes.txt", "old.iso"}));
    model.sort(SortBy::size);
    EXPECT_EQ(names(model.results()),
              (std::vector<std::string>{"Trash", "User Caches", "Maps Cache", "Crash Reports"}));
}

TEST_F(MainViewModelTest, StoredSortOrderSurvivesANewViewModel) {
    layOutHome();
    storeGrants(true, true);
    SettingsViewModel().setSortBy(SortBy::name);
    MainViewModel model;
    Observer observer(model);
    ASSERT_TRUE(observer.waitForSearch());
    EXPECT_EQ(names(model.results()),
              (std::vector<std::string>{"Crash Reports", "Maps Cache", "Trash", "User Caches"}));
}

// Equal sizes keep the categories' own order (not the names'), and a filter applied and
// cleared gives back the same order.
TEST_F(MainViewModelTest, EqualKeysKeepTheCategoriesOrderThroughAFilter) {
    home.file("Library/Containers/com.apple.Maps/Data/tiles", 100);
    home.file("Library/Application Support/CrashReporter/Editor_1.crash", 100);
    home.file("Library/.Trash/old.iso", 100);
    storeGrants(true, true);
    MainViewModel model;
    Observer observer(model);
    ASSERT_TRUE(observer.waitForSearch());
    const std::vector<std::pair<SortBy, std::vector<std::string>>> orders{
        {SortBy::size, {"Maps Cache", "Crash Reports", "Trash"}},
        {SortBy::name, {"Crash Reports", "Maps Cache", "Trash"}},
        {SortBy::size, {"Maps Cache", "Crash Reports", "Trash"}},
    };
    for (const auto& [sortBy, expected] : orders) {
        SCOPED_TRACE(static_cast<int>(sortBy));
        model.sort(sortBy);
        EXPECT_EQ(names(model.results()), expected);
        model.filter(QStringLiteral("r"));
        model.filter(QStringLiteral("cr"));
        EXPECT_EQ(names(model.results()), std::vector<std::string>{"Crash Reports"});
        model.filter(QString());
        EXPECT_EQ(names(model.results()), expected) << "after a filter";
    }
}

TEST_F(MainViewModelTest, GrantFlowWaitsForBothFolders) {
    layOutHome();
    storeGrants(true, false);
    MainViewModel model;
    Observer observer(model);
    EXPECT_FALSE(model.isAuthenticated());
    test::waitUntil([] { return false; }, 300);
    EXPECT_EQ(observer.searches, 0);
    EXPECT_FALSE(model.isSearching());

    PermissionViewModel* library = model.permissions()->library();
    model.chooseFolder(library, {QString::fromStdString(home.path())});
    EXPECT_TRUE(library->showingAlert()) << "the home folder is not the Library folder";
    EXPECT_FALSE(library->isAuthenticated());
    library->setShowingAlert(false);

    model.chooseFolder(library, {QString::fromStdString(home.pathOf("Library/"))});
    EXPECT_FALSE(library->showingAlert());
    EXPECT_TRUE(library->isAuthenticated());
    EXPECT_TRUE(model.isAuthenticated());
    ASSERT_TRUE(observer.waitForSearch()) << "the second grant starts the search";
    EXPECT_EQ(model.results().size(), 4);
}

TEST_F(MainViewModelTest, OneUserActionCostsOneMeasurement) {
    layOutHome();
    storeGrants(true, true);
    MainViewModel model;
    Observer observer(model);
    ASSERT_TRUE(observer.waitForSearch());

    const int before = observer.summaries;
    model.selectAll();
    EXPECT_EQ(observer.summaries, before) << "measured at the end of the turn, not per row";
    ASSERT_TRUE(test::waitUntil([&] { return observer.summaries > before; }));
    test::waitUntil([] { return false; }, 50);
    EXPECT_EQ(observer.summaries, before + 1);
    EXPECT_EQ(model.selectionInfo(), QStringLiteral("6 items selected, 9.87 KB"));
    EXPECT_TRUE(model.hasSelection());

    // Only shown items are reached while filtering.
    model.unselectAll();
    model.filter(QStringLiteral("old"));
    model.selectAll();
    model.filter(QString());
    ASSERT_TRUE(test::waitUntil(
        [&] { return model.selectionInfo() == QStringLiteral("1 item selected, 4.88 KB"); }));
    EXPECT_EQ(shown(model, "Trash")->isSelected(), std::nullopt);
}

TEST_F(MainViewModelTest, DeletingRemovesExactlyTheSelectionAndSearchesAgain) {
    layOutHome();
    storeGrants(true, true);
    MainViewModel model;
    Observer observer(model);
    ASSERT_TRUE(observer.waitForSearch());

    ResultViewModel* trash = shown(model, "Trash");
    trash->toggle();
    child(shown(model, "Crash Reports"), 1)->toggle();
    model.updateSelection();
    ASSERT_TRUE(test::waitUntil([&] { return model.hasSelection(); }));

    model.deleteSelection();
    model.deleteSelection(); // a second press before the cleaning reports must not start another
    ASSERT_TRUE(observer.waitForSearch());
    EXPECT_EQ(observer.cleanings, 1);
    EXPECT_FALSE(test::exists(home.pathOf("Library/.Trash/old.iso")));
    EXPECT_FALSE(test::exists(home.pathOf("Library/.Trash/notes.txt")));
    EXPECT_FALSE(
        test::exists(home.pathOf("Library/Application Support/CrashReporter/Zed_2.crash")));
    EXPECT_TRUE(
        test::exists(home.pathOf("Library/Application Support/CrashReporter/Editor_1.crash")));
    EXPECT_TRUE(test::exists(home.pathOf("Library/Caches/org.sample.Editor/cache.db")));
    EXPECT_TRUE(test::exists(home.pathOf("Library/Containers/com.apple.Maps/Data/tiles")));

    EXPECT_EQ(names(model.results()),
              (std::vector<std::string>{"User Caches", "Maps Cache", "Crash Reports"}));
    EXPECT_EQ(shownItems(shown(model, "Crash Reports")),
              (std::vector<std::string>{"Editor_1.crash"}));
    EXPECT_EQ(shown(model, "Crash Reports")->size(), 60U);
    EXPECT_FALSE(model.hasSelection());
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
    ASSERT_NE(mapsNode, nullptr);
    ASSERT_TRUE(test::waitUntil([&] { return mapsNode->isAppRunning(); }, 5000));
    EXPECT_FALSE(shown(model, "Trash")->isAppRunning());
    maps.kill();
    ASSERT_TRUE(test::waitUntil([&] { return !mapsNode->isAppRunning(); }, 5000));
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
    int keystrokes = 0;
    while (model.isSearching() && keystrokes < 2000) {
        model.filter(keystrokes % 2 == 0 ? QStringLiteral("many") : QString());
        model.selectAll();
        QCoreApplication::processEvents();
        ++keystrokes;
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
