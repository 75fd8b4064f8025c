#include "AppStrings.h"
#include "MainViewModel.h"
#include "ResultListModel.h"
#include "SorvaneWindow.h"
#include "ViewModels.h"
#include "engine/EngineStrings.h"
#include "platform/FileIconManager.h"
#include "platform/Layout.h"
#include "platform/Path.h"
#include "platform/SecureFolders.h"
#include "platform/UserDefaults.h"
#include "support/BundleFixture.h"
#include "support/Processes.h"

#include <QDir>
#include <QGuiApplication>
#include <QPalette>
#include <QQuickItem>
#include <QQuickWindow>
#include <QTest>

#include <filesystem>
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

// Drives the real window with mouse and key events and keeps a picture of every screen, in the
// light and the dark scheme, in a folder named in the output.
class WindowDriver {
public:
    explicit WindowDriver(SorvaneWindow& window, QString screenshots)
        : window_(window)
        , screenshots_(std::move(screenshots)) {}

    QQuickWindow& window() const { return *window_.window(); }

    QQuickItem* find(const QString& name) const { return findItem(window().contentItem(), name); }
    QObject* findObject(const QString& name) const { return window().findChild<QObject*>(name); }

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

    // A modal alert dims the window, so its background is checked only without one.
    void snap(const QString& screen, bool plainBackground = true) const {
        for (const bool dark : {false, true}) {
            window_.viewModels().setDarkScheme(dark);
            test::waitUntil([] { return false; }, 300);
            const QImage picture = window().grabWindow();
            EXPECT_FALSE(picture.isNull()) << screen.toStdString();
            picture.save(screenshots_ + QLatin1Char('/') + screen +
                         (dark ? "-dark.png" : "-light.png"));
            // The background follows the scheme: white, or the dark brown of the window.
            const QColor corner = picture.pixelColor(3, picture.height() - 3);
            if (plainBackground) {
                EXPECT_EQ(corner, dark ? QColor(44, 33, 30) : QColor(Qt::white))
                    << screen.toStdString();
            }
        }
        window_.viewModels().setDarkScheme(false);
    }

    // The colour of a button's face, beside its label, in both schemes.
    void expectButtonColour(QQuickItem* button, QColor light, QColor dark) const {
        ASSERT_NE(button, nullptr);
        for (const bool isDark : {false, true}) {
            window_.viewModels().setDarkScheme(isDark);
            test::waitUntil([] { return false; }, 300);
            const QImage picture = window().grabWindow();
            const QPoint at = button->mapToScene({6, button->height() / 2}).toPoint() *
                              window().effectiveDevicePixelRatio();
            EXPECT_EQ(picture.pixelColor(at), isDark ? dark : light)
                << button->objectName().toStdString() << (isDark ? " dark" : " light");
        }
        window_.viewModels().setDarkScheme(false);
    }

    // Scrolls the results list so that the row has a delegate, and returns that delegate.
    QQuickItem* row(int index) const {
        QQuickItem* list = find(QStringLiteral("resultList"));
        if (list == nullptr || index < 0) {
            return nullptr;
        }
        QMetaObject::invokeMethod(list, "positionViewAtIndex", Q_ARG(int, index), Q_ARG(int, 1));
        return shown(QStringLiteral("row%1").arg(index));
    }

    // The folder chooser of a permission row, answered as the user would.
    void answerChooser(QQuickItem* row, const std::string& chosen) const {
        QObject* chooser = row->findChild<QObject*>(QStringLiteral("folderChooser"));
        ASSERT_NE(chooser, nullptr);
        ASSERT_TRUE(test::waitUntil([&] { return chooser->property("visible").toBool(); }));
        chooser->setProperty("selectedFolder", QUrl::fromLocalFile(QString::fromStdString(chosen)));
        QMetaObject::invokeMethod(chooser, "accept");
    }

private:
    SorvaneWindow& window_;
    QString screenshots_;
};

std::vector<std::string> rowNames(const ResultListModel& list) {
    std::vector<std::string> names;
    for (int row = 0; row < list.rowCount(); ++row) {
        names.push_back(
            list.data(list.index(row), ResultListModel::NameRole).toString().toStdString());
    }
    return names;
}

int rowOf(const ResultListModel& list, const QString& name) {
    for (int row = 0; row < list.rowCount(); ++row) {
        if (list.data(list.index(row), ResultListModel::NameRole).toString() == name) {
            return row;
        }
    }
    return -1;
}

// Ticks the row of that category, presses Delete and waits until the cleaning and the search
// after it are over and the category is gone from the list.
::testing::AssertionResult deleteCategory(const WindowDriver& driver, const MainViewModel& model,
                                          const ResultListModel& list, const QString& name) {
    QQuickItem* row = driver.row(rowOf(list, name));
    if (row == nullptr) {
        return ::testing::AssertionFailure() << "no row for " << name.toStdString();
    }
    driver.click(driver.shown(QStringLiteral("checkBox"), row));
    if (!test::waitUntil([&] { return model.hasSelection(); })) {
        return ::testing::AssertionFailure() << "the click selected nothing";
    }
    driver.click(driver.shown(QStringLiteral("deleteButton")));
    if (!test::waitUntil(
            [&] { return !model.isCleaning() && !model.isSearching() && rowOf(list, name) < 0; },
            20000)) {
        return ::testing::AssertionFailure() << name.toStdString() << " is still listed";
    }
    return ::testing::AssertionSuccess();
}

} // namespace

TEST(WindowTest, FromGrantsToCleaningOnASampleHome) {
    test::TempHome home;
    const test::ScopedSystemRoot root(home.pathOf("root"));
    const auto generated =
        test::run(QStringLiteral(SORVANE_SAMPLE_HOME),
                  {QStringLiteral("--home"), QString::fromStdString(home.path()),
                   QStringLiteral("--root"), QString::fromStdString(home.pathOf("root")),
                   QStringLiteral("--files"), QStringLiteral("400")});
    ASSERT_EQ(generated.exitCode, 0) << generated.err;
    Layout::choose(LayoutKind::macos);
    EngineStrings::setLocale(QLocale(QLocale::English));
    AppStrings::setLocale(QLocale(QLocale::English));
    FileIconManager::shared().clear();
    SecureFolders::forgetAccess();
    UserDefaults::useFile(QString::fromStdString(home.pathOf("settings.conf")));
    const QString screenshots = QString::fromStdString(std::string(SORVANE_SCREENSHOT_DIR));
    QDir().mkpath(screenshots);
    std::cout << "Screenshots of every screen are in " << screenshots.toStdString() << std::endl;

    SorvaneWindow app;
    ASSERT_TRUE(app.isLoaded());
    WindowDriver driver(app, screenshots);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&driver.window()));
    EXPECT_GE(driver.window().width(), 620);
    EXPECT_GE(driver.window().height(), 640);
    MainViewModel& model = app.mainViewModel();
    ResultListModel& list = *app.viewModels().results();

    // Permission screen: the Library row above the home row, each with its grant button.
    QQuickItem* libraryRow = driver.shown(QStringLiteral("libraryRow"));
    QQuickItem* userRow = driver.shown(QStringLiteral("userRow"));
    ASSERT_NE(libraryRow, nullptr);
    ASSERT_NE(userRow, nullptr);
    EXPECT_LT(libraryRow->mapToScene({0, 0}).y(), userRow->mapToScene({0, 0}).y());
    QQuickItem* libraryGrant = driver.shown(QStringLiteral("grantButton"), libraryRow);
    ASSERT_NE(libraryGrant, nullptr);
    ASSERT_NE(driver.shown(QStringLiteral("grantButton"), userRow), nullptr);
    driver.snap(QStringLiteral("1-permissions"));
    driver.expectButtonColour(libraryGrant, QColor(0, 122, 255), QColor(10, 132, 255));

    // The scheme follows the desktop's palette while the window is open.
    const QByteArray forced = qgetenv("SORVANE_COLOR_SCHEME");
    qunsetenv("SORVANE_COLOR_SCHEME");
    const QPalette desktop = QGuiApplication::palette();
    for (const bool dark : {true, false}) {
        QPalette palette = desktop;
        palette.setColor(QPalette::Window, dark ? QColor(30, 30, 30) : QColor(240, 240, 240));
        QGuiApplication::setPalette(palette);
        EXPECT_TRUE(test::waitUntil([&] { return app.viewModels().darkScheme() == dark; }))
            << (dark ? "dark" : "light");
    }
    QGuiApplication::setPalette(desktop);
    if (!forced.isNull()) {
        qputenv("SORVANE_COLOR_SCHEME", forced);
    }
    app.viewModels().setDarkScheme(false);

    // A wrong folder shows the alert and grants nothing; Escape dismisses it.
    driver.click(libraryGrant);
    driver.answerChooser(libraryRow, home.path());
    QQuickItem* alert = nullptr;
    ASSERT_TRUE(test::waitUntil([&] {
        QObject* found = driver.findObject(QStringLiteral("wrongFolderAlert"));
        alert = qobject_cast<QQuickItem*>(found);
        return found != nullptr && found->property("visible").toBool();
    }));
    EXPECT_FALSE(model.permissions()->library()->isAuthenticated());
    driver.snap(QStringLiteral("2-wrong-folder"), false);
    QTest::keyClick(&driver.window(), Qt::Key_Escape);
    ASSERT_TRUE(test::waitUntil([&] { return !model.permissions()->library()->showingAlert(); }));

    // The right folders: a check mark for the first, then the search starts on its own.
    driver.click(libraryGrant);
    driver.answerChooser(libraryRow, home.pathOf("Library"));
    ASSERT_TRUE(test::waitUntil([&] { return model.permissions()->library()->isAuthenticated(); }));
    EXPECT_NE(driver.shown(QStringLiteral("grantedMark"), libraryRow), nullptr);
    driver.snap(QStringLiteral("3-one-granted"));
    driver.click(driver.shown(QStringLiteral("grantButton"), userRow));
    driver.answerChooser(userRow, home.path());

    // Results: categories collapsed, largest first.
    ASSERT_NE(driver.shown(QStringLiteral("resultList")), nullptr);
    ASSERT_TRUE(
        test::waitUntil([&] { return list.rowCount() > 5 && !model.selectionInfo().isEmpty(); }));
    const auto categories = rowNames(list);
    EXPECT_EQ(static_cast<int>(categories.size()), model.results().size());
    driver.snap(QStringLiteral("4-results"));

    // Expanding a category by a click on its row shows its items below it.
    const int trashRow = rowOf(list, QStringLiteral("Trash"));
    ASSERT_GE(trashRow, 0);
    const int trashItems = list.data(list.index(trashRow), ResultListModel::ItemCountRole).toInt();
    ASSERT_GT(trashItems, 1);
    QQuickItem* trash = driver.row(trashRow);
    ASSERT_NE(trash, nullptr);
    driver.click(trash, {trash->width() / 2, 20});
    ASSERT_TRUE(test::waitUntil(
        [&] { return list.rowCount() == static_cast<int>(categories.size()) + trashItems; }));

    // An item's check box makes its category mixed; the category's box then clears it.
    QQuickItem* firstItem = driver.row(trashRow + 1);
    ASSERT_NE(firstItem, nullptr);
    // Each row builds only what its kind shows.
    EXPECT_NE(findItem(trash, QStringLiteral("categoryGroup")), nullptr);
    EXPECT_EQ(findItem(trash, QStringLiteral("itemContent")), nullptr);
    EXPECT_EQ(findItem(trash, QStringLiteral("revealButton")), nullptr);
    EXPECT_NE(findItem(firstItem, QStringLiteral("itemContent")), nullptr);
    EXPECT_NE(findItem(firstItem, QStringLiteral("revealButton")), nullptr);
    EXPECT_EQ(findItem(firstItem, QStringLiteral("categoryGroup")), nullptr);
    driver.click(driver.shown(QStringLiteral("checkBox"), firstItem));
    ASSERT_TRUE(test::waitUntil([&] {
        return list.data(list.index(trashRow), ResultListModel::CheckStateRole).toInt() ==
               Qt::PartiallyChecked;
    }));
    ASSERT_TRUE(test::waitUntil([&] { return model.hasSelection(); }));
    EXPECT_TRUE(driver.find(QStringLiteral("deleteButton"))->isEnabled());
    driver.snap(QStringLiteral("5-mixed"));
    driver.expectButtonColour(driver.find(QStringLiteral("deleteButton")), QColor(255, 59, 48),
                              QColor(255, 69, 58));
    driver.click(driver.shown(QStringLiteral("checkBox"), trash));
    ASSERT_TRUE(test::waitUntil([&] {
        return list.data(list.index(trashRow), ResultListModel::CheckStateRole).toInt() ==
                   Qt::Unchecked &&
               !model.hasSelection();
    }));
    EXPECT_FALSE(driver.find(QStringLiteral("deleteButton"))->isEnabled());

    // Space on a focused check box toggles its row.
    QQuickItem* itemBox = driver.shown(QStringLiteral("checkBox"), firstItem);
    itemBox->forceActiveFocus();
    QTest::keyClick(&driver.window(), Qt::Key_Space);
    ASSERT_TRUE(test::waitUntil([&] {
        return list.data(list.index(trashRow + 1), ResultListModel::CheckStateRole).toInt() ==
               Qt::Checked;
    }));
    driver.click(driver.shown(QStringLiteral("unselectAllButton")));

    // Select all counts every item of every shown category.
    driver.click(driver.shown(QStringLiteral("selectAllButton")));
    std::int64_t everything = 0;
    for (const ResultViewModel* category : model.results()) {
        everything += category->children().size();
    }
    ASSERT_TRUE(test::waitUntil([&] {
        return model.selectionInfo().startsWith(QString::number(everything) +
                                                QStringLiteral(" items selected"));
    })) << model.selectionInfo().toStdString();
    driver.snap(QStringLiteral("6-all-selected"));
    driver.click(driver.shown(QStringLiteral("unselectAllButton")));
    ASSERT_TRUE(test::waitUntil([&] { return !model.hasSelection(); }));

    // Ctrl+F reaches the search field; a text that matches nothing shows the filter's empty state.
    QTest::keyClick(&driver.window(), Qt::Key_F, Qt::ControlModifier);
    QQuickItem* search = driver.find(QStringLiteral("searchField"));
    ASSERT_TRUE(test::waitUntil([&] { return search->hasActiveFocus(); }));
    for (const char letter : std::string("zq-nothing-matches")) {
        QTest::keyClick(&driver.window(), letter);
    }
    ASSERT_TRUE(test::waitUntil([&] { return model.isFiltering() && list.rowCount() == 0; }));
    ASSERT_NE(driver.shown(QStringLiteral("emptyState")), nullptr);
    driver.snap(QStringLiteral("7-no-filter-results"));
    search->setProperty("text", QString());
    QMetaObject::invokeMethod(search, "textEdited");
    model.filter(QString());
    ASSERT_TRUE(test::waitUntil([&] { return list.rowCount() > 0; }));

    // The sort menu, by keyboard: the name order, stored for the next launch.
    QQuickItem* sortMenu = driver.find(QStringLiteral("sortMenu"));
    sortMenu->forceActiveFocus();
    QTest::keyClick(&driver.window(), Qt::Key_Down);
    ASSERT_TRUE(
        test::waitUntil([&] { return UserDefaults::value(QStringLiteral("SortBy")).has_value(); }));
    EXPECT_EQ(UserDefaults::value(QStringLiteral("SortBy"))->toInt(), 1);
    std::vector<std::string> byName;
    for (const ResultViewModel* category : model.results()) {
        byName.push_back(category->name().toStdString());
    }
    EXPECT_TRUE(std::is_sorted(byName.begin(), byName.end())) << "categories by name";
    driver.snap(QStringLiteral("8-sorted-by-name"));

    // Delete the trash: its files leave the disk, the rest stays, and a new search follows.
    const std::string trashFolder = home.pathOf("Library/.Trash");
    std::vector<std::string> trashed;
    for (const Url& entry : Path::entries(Url::folder(trashFolder), false)) {
        trashed.push_back(entry.path());
    }
    ASSERT_FALSE(trashed.empty());
    ASSERT_TRUE(deleteCategory(driver, model, list, QStringLiteral("Trash")));
    for (const std::string& path : trashed) {
        EXPECT_FALSE(test::exists(path)) << path;
    }
    EXPECT_TRUE(test::exists(home.pathOf("Library/Caches")));
    ASSERT_TRUE(test::waitUntil([&] { return list.rowCount() > 0; }));
    EXPECT_EQ(list.rowCount(), static_cast<int>(categories.size()) - 1)
        << "the new scan's results, without the trash";
    driver.snap(QStringLiteral("9-after-cleaning"));

    UserDefaults::useFile(QString());
    SecureFolders::forgetAccess();
}

// A Linux desktop's home: no folders to grant, the results at once, and a cleaning of the
// trash that takes each trashed entry's record with it.
TEST(WindowTest, FreedesktopHomeOpensOnItsResultsWithoutAskingForFolders) {
    test::TempHome home;
    const test::ScopedSystemRoot root(home.pathOf("root"));
    const auto generated =
        test::run(QStringLiteral(SORVANE_SAMPLE_HOME),
                  {QStringLiteral("--layout"), QStringLiteral("freedesktop"),
                   QStringLiteral("--home"), QString::fromStdString(home.pathOf("user")),
                   QStringLiteral("--root"), QString::fromStdString(home.pathOf("root")),
                   QStringLiteral("--files"), QStringLiteral("400")});
    ASSERT_EQ(generated.exitCode, 0) << generated.err;
    Layout::choose(LayoutKind::freedesktop, FreedesktopFolders::under(home.pathOf("user")));
    EngineStrings::setLocale(QLocale(QLocale::English));
    AppStrings::setLocale(QLocale(QLocale::English));
    FileIconManager::shared().clear();
    SecureFolders::forgetAccess();
    UserDefaults::useFile(QString::fromStdString(home.pathOf("settings.conf")));

    SorvaneWindow app;
    ASSERT_TRUE(app.isLoaded());
    WindowDriver driver(app, QString::fromStdString(std::string(SORVANE_SCREENSHOT_DIR)));
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&driver.window()));
    MainViewModel& model = app.mainViewModel();
    ResultListModel& list = *app.viewModels().results();
    EXPECT_TRUE(model.isAuthenticated());
    ASSERT_TRUE(
        test::waitUntil([&] { return list.rowCount() > 5 && !model.selectionInfo().isEmpty(); }));
    EXPECT_EQ(driver.find(QStringLiteral("libraryRow")), nullptr) << "no permission screen";
    driver.snap(QStringLiteral("freedesktop-results"));

    const std::string trash = home.pathOf("user/.local/share/Trash");
    std::vector<std::string> trashed;
    for (const Url& entry : Path::entries(Url::folder(trash + "/files"), false)) {
        trashed.push_back(entry.lastPathComponent());
    }
    ASSERT_FALSE(trashed.empty());
    ASSERT_TRUE(deleteCategory(driver, model, list, QStringLiteral("Trash")));
    for (const std::string& name : trashed) {
        EXPECT_FALSE(test::exists(trash + "/files/" + name)) << name;
        EXPECT_FALSE(test::exists(trash + "/info/" + name + ".trashinfo")) << name;
    }
    EXPECT_FALSE(UserDefaults::value(QStringLiteral("Library")).has_value())
        << "no grant is written in this layout";
}
