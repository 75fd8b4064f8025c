#include "CleaningSummaryModel.h"
#include "KeptListModel.h"
#include "MainViewModel.h"
#include "ResultListModel.h"
#include "SorvaneWindow.h"
#include "ViewModels.h"
#include "app/AppFixture.h"
#include "platform/journal/CleaningJournal.h"
#include "platform/keep/KeepListFile.h"
#include "platform/places/FreedesktopFolders.h"
#include "platform/places/Layout.h"
#include "support/Processes.h"

#include <QAccessible>
#include <QDir>
#include <QGuiApplication>
#include <QPalette>
#include <QQuickItem>
#include <QQuickWindow>
#include <QTest>

#include <filesystem>
#include <tuple>

#include <gtest/gtest.h>

using namespace sorvane;

namespace {

// Shown items by name in the visual tree, where list delegates live (they have no object parent).
QQuickItem* findItem(QQuickItem* root, const QString& name) {
    if (root == nullptr || !root->isVisible()) {
        return nullptr;
    }
    if (root->objectName() == name) {
        return root;
    }
    for (QQuickItem* child : root->childItems()) {
        if (QQuickItem* found = findItem(child, name)) {
            return found;
        }
    }
    return nullptr;
}

// Opens the real window on a generated sample home and drives it with mouse and key events. A
// picture of every screen, in the light and the dark scheme, goes to a folder named in the output.
class WindowTest : public test::AppTest {
protected:
    void TearDown() override {
        app_.reset();
        Layout::choose(LayoutKind::macos);
        test::AppTest::TearDown();
    }

    void open(bool freedesktop = false) {
        const std::string user = freedesktop ? home.pathOf("user") : home.path();
        const auto generated =
            test::run(QStringLiteral(SORVANE_SAMPLE_HOME),
                      {"--home", QString::fromStdString(user), "--root",
                       QString::fromStdString(home.pathOf("root")), "--files", "400", "--layout",
                       freedesktop ? "freedesktop" : "macos"});
        ASSERT_EQ(generated.exitCode, 0) << generated.err;
        // Only a home that exists yields freedesktop folders.
        Layout::choose(freedesktop ? LayoutKind::freedesktop : LayoutKind::macos,
                       FreedesktopFolders::under(user));
        QDir().mkpath(screenshots_);
        std::cout << "Screenshots of every screen are in " << screenshots_.toStdString() << "\n";
        app_ = std::make_unique<SorvaneWindow>();
        ASSERT_TRUE(app_->isLoaded());
        ASSERT_NE(app_->viewModels().results(), nullptr);
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&window()));
    }

    QQuickWindow& window() const { return *app_->window(); }
    MainViewModel& model() const { return app_->mainViewModel(); }
    ResultListModel& list() const { return *app_->viewModels().results(); }

    // Waits until the named item exists and shows, so that it can be clicked.
    QQuickItem* shown(const QString& name, QQuickItem* within = nullptr) const {
        QQuickItem* found = nullptr;
        test::waitUntil(
            [&] {
                found = findItem(within != nullptr ? within : window().contentItem(), name);
                return found != nullptr && found->isVisible() && found->width() > 0;
            },
            10000);
        return found;
    }

    void click(QQuickItem* item, QPointF at = {}) const {
        ASSERT_NE(item, nullptr);
        const QPointF local = at.isNull() ? QPointF(item->width() / 2, item->height() / 2) : at;
        QTest::mouseClick(&window(), Qt::LeftButton, Qt::NoModifier,
                          item->mapToScene(local).toPoint());
    }

    // Pictures the screen in both schemes, whose background follows the scheme.
    void snap(const QString& screen) const {
        for (const bool dark : {false, true}) {
            app_->viewModels().setDarkScheme(dark);
            test::waitUntil([] { return false; }, 300);
            const QImage picture = window().grabWindow();
            ASSERT_FALSE(picture.isNull()) << screen.toStdString();
            picture.save(screenshots_ + '/' + screen + (dark ? "-dark.png" : "-light.png"));
            EXPECT_EQ(picture.pixelColor(3, picture.height() - 3),
                      dark ? QColor(44, 33, 30) : QColor(Qt::white))
                << screen.toStdString() << (dark ? " dark" : " light");
        }
        app_->viewModels().setDarkScheme(false);
    }

    int rowOf(const QString& name) const {
        const QModelIndexList hits =
            list().match(list().index(0), ResultListModel::NameRole, name, 1, Qt::MatchExactly);
        return hits.isEmpty() ? -1 : hits.first().row();
    }

    int checkState(int row) const {
        return list().data(list().index(row), ResultListModel::CheckStateRole).toInt();
    }

    // Scrolls the results list so that the row has a delegate, and returns that delegate.
    QQuickItem* row(int index) const {
        QQuickItem* results = shown("resultList");
        if (results == nullptr || index < 0) {
            return nullptr;
        }
        QMetaObject::invokeMethod(results, "positionViewAtIndex", Q_ARG(int, index), Q_ARG(int, 1));
        return shown(QStringLiteral("row%1").arg(index));
    }

    // The folder chooser of a permission row, answered as the user would.
    void answerChooser(QQuickItem* row, const std::string& chosen) const {
        ASSERT_NE(row, nullptr);
        QObject* chooser = row->findChild<QObject*>("folderChooser");
        ASSERT_NE(chooser, nullptr);
        ASSERT_TRUE(test::waitUntil([&] { return chooser->property("visible").toBool(); }));
        chooser->setProperty("selectedFolder", QUrl::fromLocalFile(QString::fromStdString(chosen)));
        QMetaObject::invokeMethod(chooser, "accept");
    }

    // Ticks the Trash category's box and presses Delete (then Escape, when asked); the summary
    // shows until Search Again, whose search lists what stayed.
    void deleteTrash(bool stop = false) const {
        QQuickItem* trash = row(rowOf("Trash"));
        ASSERT_NE(trash, nullptr);
        click(shown("checkBox", trash));
        ASSERT_TRUE(test::waitUntil([&] { return model().hasSelection(); }));
        {
            // The journal held elsewhere keeps the cleaning at its first line, however fast
            // or slow this machine is, until Escape has been pressed.
            const JournalLock held = stop ? CleaningJournal::hold() : JournalLock();
            ASSERT_EQ(held.held(), stop);
            click(shown("deleteButton"));
            if (stop) {
                ASSERT_NE(shown("stopButton"), nullptr);
                QTest::keyClick(&window(), Qt::Key_Escape);
            }
        }
        ASSERT_NE(shown("summaryView"), nullptr);
        EXPECT_FALSE(model().isSearching()) << "the next search waits for the summary's button";
        const CleaningSummaryModel& summary = *model().summary();
        if (stop) {
            ASSERT_GT(summary.rowCount(), 0);
            EXPECT_EQ(summary.data(summary.index(summary.rowCount() - 1),
                                   CleaningSummaryModel::ReasonRole),
                      QStringLiteral("stopped"));
        }
        click(shown("searchAgainButton"));
        ASSERT_TRUE(test::waitUntil(
            [&] { return !model().isSearching() && (rowOf("Trash") < 0) != stop; }, 20000));
    }

    QString textOf(const QString& name, QQuickItem* within = nullptr) const {
        QQuickItem* item = shown(name, within);
        return item != nullptr ? item->property("text").toString() : QString();
    }

    const QString screenshots_ = QStringLiteral(SORVANE_SCREENSHOT_DIR);
    std::unique_ptr<SorvaneWindow> app_;
};

} // namespace

TEST_F(WindowTest, FromGrantsToCleaningOnASampleHome) {
    ASSERT_NO_FATAL_FAILURE(open());

    // Permission screen: a row with a grant button for each folder.
    QQuickItem* libraryRow = shown("libraryRow");
    QQuickItem* userRow = shown("userRow");
    QQuickItem* libraryGrant = shown("grantButton", libraryRow);
    snap("1-permissions");

    // The scheme follows the desktop's palette while the window is open (a scheme forced for
    // the screenshots would win over the palette; snap() sets its own).
    qunsetenv("SORVANE_COLOR_SCHEME");
    const QPalette desktop = QGuiApplication::palette();
    QPalette dark = desktop;
    dark.setColor(QPalette::Window, QColor(30, 30, 30));
    QGuiApplication::setPalette(dark);
    EXPECT_TRUE(test::waitUntil([&] { return app_->viewModels().darkScheme(); }));
    QGuiApplication::setPalette(desktop);
    EXPECT_TRUE(test::waitUntil([&] { return !app_->viewModels().darkScheme(); }));

    // A wrong folder shows the alert and grants nothing; Escape dismisses it.
    PermissionViewModel* library = model().permissions()->library();
    ASSERT_NE(library, nullptr);
    click(libraryGrant);
    answerChooser(libraryRow, home.path());
    ASSERT_TRUE(test::waitUntil([&] {
        const QObject* alert = window().findChild<QObject*>("wrongFolderAlert");
        return alert != nullptr && alert->property("visible").toBool();
    }));
    EXPECT_FALSE(library->isAuthenticated());
    QTest::keyClick(&window(), Qt::Key_Escape);
    ASSERT_TRUE(test::waitUntil([&] { return !library->showingAlert(); }));

    // The right folders: a check mark and a stored grant for the first, no search before the
    // second, then the search starts on its own.
    click(libraryGrant);
    answerChooser(libraryRow, home.pathOf("Library"));
    ASSERT_TRUE(test::waitUntil([&] { return library->isAuthenticated(); }));
    EXPECT_NE(shown("grantedMark", libraryRow), nullptr);
    EXPECT_TRUE(UserDefaults::value("Library").has_value());
    EXPECT_EQ(list().rowCount(), 0) << "searched before both folders were granted";
    click(shown("grantButton", userRow));
    answerChooser(userRow, home.path());

    // Results: categories collapsed.
    ASSERT_TRUE(test::waitUntil(
        [&] { return list().rowCount() > 5 && !model().selectionInfo().isEmpty(); }));
    const int categories = list().rowCount();
    snap("4-results");

    // Expanding a category by a click on its row shows its items below it.
    const int trashRow = rowOf("Trash");
    ASSERT_GE(trashRow, 0);
    const int trashItems =
        list().data(list().index(trashRow), ResultListModel::ItemCountRole).toInt();
    ASSERT_GT(trashItems, 1);
    QQuickItem* trash = row(trashRow);
    ASSERT_NE(trash, nullptr);
    click(trash, {trash->width() / 2, 20});
    ASSERT_TRUE(test::waitUntil([&] { return list().rowCount() == categories + trashItems; }));

    // An item's check box makes its category mixed; Space on the focused box clears it again.
    QQuickItem* firstItem = row(trashRow + 1);
    ASSERT_NE(firstItem, nullptr);
    QQuickItem* itemBox = shown("checkBox", firstItem);
    ASSERT_NE(itemBox, nullptr);
    click(itemBox);
    ASSERT_TRUE(test::waitUntil(
        [&] { return checkState(trashRow) == Qt::PartiallyChecked && model().hasSelection(); }));
    // Screen readers hear check boxes with their state, not buttons whose name says it.
    QAccessible::setActive(true);
    for (const auto& [box, checked, mixed] :
         {std::tuple{itemBox, true, false}, {shown("checkBox", row(trashRow)), false, true}}) {
        QAccessibleInterface* reader = QAccessible::queryAccessibleInterface(box);
        ASSERT_NE(reader, nullptr);
        EXPECT_EQ(reader->role(), QAccessible::CheckBox);
        EXPECT_EQ(reader->state().checked, checked);
        EXPECT_EQ(reader->state().checkStateMixed, mixed);
        EXPECT_FALSE(reader->text(QAccessible::Name).contains(QStringLiteral("selected")));
    }
    QQuickItem* deleteButton = shown("deleteButton");
    ASSERT_NE(deleteButton, nullptr);
    EXPECT_TRUE(deleteButton->isEnabled());
    itemBox->forceActiveFocus();
    QTest::keyClick(&window(), Qt::Key_Space);
    ASSERT_TRUE(test::waitUntil(
        [&] { return checkState(trashRow + 1) == Qt::Unchecked && !model().hasSelection(); }));
    EXPECT_FALSE(deleteButton->isEnabled());

    // Select all, then unselect all.
    click(shown("selectAllButton"));
    ASSERT_TRUE(test::waitUntil([&] { return checkState(trashRow) == Qt::Checked; }));
    click(shown("unselectAllButton"));
    ASSERT_TRUE(test::waitUntil([&] { return !model().hasSelection(); }));

    // Ctrl+F reaches the search field; a text that matches nothing shows the filter's empty state.
    QTest::keyClick(&window(), Qt::Key_F, Qt::ControlModifier);
    QQuickItem* search = shown("searchField");
    ASSERT_NE(search, nullptr);
    ASSERT_TRUE(test::waitUntil([&] { return search->hasActiveFocus(); }));
    for (const char letter : std::string("zq-nothing-matches")) {
        QTest::keyClick(&window(), letter);
    }
    ASSERT_TRUE(test::waitUntil([&] { return model().isFiltering() && list().rowCount() == 0; }));
    ASSERT_NE(shown("emptyState"), nullptr);
    search->setProperty("text", QString());
    QMetaObject::invokeMethod(search, "textEdited");
    ASSERT_TRUE(test::waitUntil([&] { return list().rowCount() > 0; }));

    // The sort menu, by keyboard: the name order, stored for the next launch.
    QQuickItem* sortMenu = shown("sortMenu");
    ASSERT_NE(sortMenu, nullptr);
    sortMenu->forceActiveFocus();
    QTest::keyClick(&window(), Qt::Key_Down);
    ASSERT_TRUE(test::waitUntil([&] { return UserDefaults::value("SortBy").has_value(); }));
    EXPECT_EQ(UserDefaults::value("SortBy").value_or(QVariant()).toInt(), 1);
    EXPECT_TRUE(std::is_sorted(model().results().begin(), model().results().end(),
                               [](auto* a, auto* b) { return a->name() < b->name(); }));

    // The Trash category's box and Delete: the new search finds nothing in the trash, the rest
    // stays and is listed again.
    ASSERT_NO_FATAL_FAILURE(deleteTrash());
    EXPECT_TRUE(test::exists(home.pathOf("Library/Caches")));
    ASSERT_TRUE(test::waitUntil([&] { return list().rowCount() > 0; }));
    EXPECT_EQ(list().rowCount(), categories - 1) << "the new scan's results, without the trash";
}

TEST_F(WindowTest, FreedesktopHomeOpensOnItsResultsAndCleansTheTrashWithItsRecords) {
    ASSERT_NO_FATAL_FAILURE(open(true));
    ASSERT_TRUE(test::waitUntil([&] { return rowOf("Trash") >= 0; }));
    EXPECT_EQ(findItem(window().contentItem(), "libraryRow"), nullptr) << "no permission screen";
    snap("freedesktop-results");

    // Keep, chosen in the menu of a right-click on an item and of Shift+F10 on a category, takes
    // the row out at once.
    QStringList others;
    for (const ResultViewModel* category : model().results()) {
        if (category->name() != QStringLiteral("Trash")) {
            others.append(category->name());
        }
    }
    ASSERT_GE(others.size(), 2);
    QQuickItem* opened = row(rowOf(others[0]));
    ASSERT_NE(opened, nullptr);
    click(opened, {opened->width() / 2, 20});
    const int itemRow = rowOf(others[0]) + 1;
    ASSERT_TRUE(test::waitUntil([&] { return list().node(itemRow)->parentNode() != nullptr; }));
    const QString item = list().node(itemRow)->name();
    QQuickItem* target = row(itemRow);
    ASSERT_NE(target, nullptr);
    QTest::mouseClick(&window(), Qt::RightButton, Qt::NoModifier,
                      target->mapToScene({target->width() / 2, target->height() / 2}).toPoint());
    click(shown("keepAction"));
    ASSERT_TRUE(test::waitUntil([&] { return rowOf(item) < 0; }));
    target = row(rowOf(others[1]));
    ASSERT_NE(target, nullptr);
    shown("checkBox", target)->forceActiveFocus();
    QTest::keyClick(&window(), Qt::Key_F10, Qt::ShiftModifier);
    click(shown("keepAction"));
    ASSERT_TRUE(test::waitUntil([&] { return rowOf(others[1]) < 0; }));

    // The Kept panel lists the user's entries first, then the built-in ones with their reasons
    // and no Remove button. Removing the item's entry and closing the panel search again, and
    // the item is offered again.
    const KeptListModel& kept = *app_->viewModels().kept();
    const auto entries = KeepListFile::read().entries.size();
    click(shown("keptButton"));
    ASSERT_TRUE(test::waitUntil([&] {
        for (int index = 0; index < kept.rowCount(); ++index) {
            if (!kept.data(kept.index(index), KeptListModel::IsMeasuredRole).toBool()) {
                return false;
            }
        }
        return kept.rowCount() > static_cast<int>(entries);
    }));
    const auto keptRow = [&](int index) {
        QMetaObject::invokeMethod(shown("keptList"), "positionViewAtIndex", Q_ARG(int, index),
                                  Q_ARG(int, 1));
        return shown(QStringLiteral("kept%1").arg(index));
    };
    QQuickItem* builtIn = keptRow(static_cast<int>(entries));
    ASSERT_NE(builtIn, nullptr);
    EXPECT_EQ(findItem(builtIn, "removeButton"), nullptr);
    QQuickItem* first = keptRow(0);
    ASSERT_NE(first, nullptr);
    window().grabWindow().save(screenshots_ + "/kept.png");
    click(shown("removeButton", first));
    ASSERT_TRUE(test::waitUntil([&] { return KeepListFile::read().entries.size() < entries; }));
    click(shown("keptCloseButton"));
    ASSERT_TRUE(test::waitUntil([&] {
        return !model().isSearching() &&
               std::any_of(model().results().begin(), model().results().end(), [&](auto* found) {
                   return found->name() == others[0] &&
                          std::any_of(found->children().begin(), found->children().end(),
                                      [&](auto* child) { return child->name() == item; });
               });
    }));
    EXPECT_LT(rowOf(others[1]), 0) << "its entries stay";

    // Clean Automatically offers the trash, checked, and writes nothing by being opened.
    const ScheduleViewModel& schedule = *app_->viewModels().schedule();
    click(shown("scheduleButton"));
    int trashRow = 0;
    while (trashRow < schedule.rowCount() &&
           schedule.index(trashRow).data(ScheduleViewModel::KeyRole) != "FREEDESKTOP_TRASH") {
        ++trashRow;
    }
    const QString trashBox = QStringLiteral("scheduleCategory%1").arg(trashRow);
    ASSERT_TRUE(test::waitUntil([&] {
        return !schedule.busy() && shown(trashBox) && shown(trashBox)->property("checked").toBool();
    }));
    window().grabWindow().save(screenshots_ + "/schedule.png");
    click(shown("scheduleCloseButton"));
    ASSERT_TRUE(test::waitUntil([&] {
        return !window().findChild<QObject*>("scheduleDialog")->property("visible").toBool();
    }));

    // Escape stops the cleaning before the entries after the first.
    ASSERT_NO_FATAL_FAILURE(deleteTrash(true));
    EXPECT_FALSE(std::filesystem::is_empty(home.pathOf("user/.local/share/Trash/files")));

    // The cleaning screen draws the latest report, and the summary every location that stayed.
    const auto engine = model().cleaner().delegate().lock();
    engine->cleanerDidStartCleaning();
    engine->cleanerDidProgressCleaning({2, 5, 3000, 9000, home.pathOf("user/.cache/thumbnails")});
    EXPECT_EQ(textOf("cleaningItems"), QStringLiteral("2 of 5 items"));
    EXPECT_EQ(textOf("cleaningBytes"), QStringLiteral("2.93 KB of 8.79 KB removed"));
    EXPECT_DOUBLE_EQ(shown("cleaningProgress")->property("value").toDouble(), 0.4);
    EXPECT_EQ(shown("stopButton")->property("activeFocusOnTab"), true);
    snap("5-cleaning");
    CleaningSummary summary{{}, 3, {}, false};
    summary.freed.add(1, 6000);
    summary.remaining = {{"XDG_CACHE", home.pathOf("user/.cache/kept"), RemovalReason::kept,
                          "kept by ~/.cache/kept"},
                         {"CRASH_REPORTS", "/var/crash/a.crash", RemovalReason::permissionDenied,
                          "/var/crash/a.crash: Permission denied"}};
    engine->cleanerDidSummarizeCleaning(summary);
    engine->cleanerDidFinishCleaning();
    EXPECT_EQ(textOf("summaryFreed"), QStringLiteral("5.86 KB freed on disk"));
    EXPECT_EQ(textOf("reasonText", shown("remaining0")), QStringLiteral("The Kept list keeps it."));
    EXPECT_NE(shown("revealButton", shown("remaining1")), nullptr);
    snap("6-summary");
    click(shown("searchAgainButton"));
    ASSERT_TRUE(test::waitUntil([&] { return !model().isSearching() && rowOf("Trash") >= 0; }));
    ASSERT_NO_FATAL_FAILURE(deleteTrash());
    for (const char* folder : {"user/.local/share/Trash/files", "user/.local/share/Trash/info"}) {
        EXPECT_TRUE(std::filesystem::is_empty(home.pathOf(folder))) << folder;
    }
    EXPECT_FALSE(UserDefaults::value("Library").has_value()) << "no grant in this layout";
}
