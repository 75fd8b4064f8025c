#include "ResultListModel.h"
#include "AppFixture.h"
#include "MainViewModel.h"
#include "support/Processes.h"

#include <QAbstractItemModelTester>
#include <QSignalSpy>

#include <fcntl.h>
#include <unistd.h>

using namespace sorvane;

namespace {

class ResultListModelTest : public test::AppTest {
protected:
    // Waits for the view model's first search and the summary that follows it.
    static bool searched(MainViewModel& model) {
        return test::waitUntil(
            [&] { return !model.isSearching() && !model.selectionInfo().isEmpty(); });
    }

    static std::vector<std::string> rowNames(const ResultListModel& list) {
        std::vector<std::string> names;
        for (int row = 0; row < list.rowCount(); ++row) {
            names.push_back(
                list.data(list.index(row), ResultListModel::NameRole).toString().toStdString());
        }
        return names;
    }
};

} // namespace

TEST_F(ResultListModelTest, CategoriesExpandIntoTheirShownItems) {
    home.file("Library/.Trash/big.iso", 5000);
    home.file("Library/.Trash/small.txt", 5);
    home.file("Library/Application Support/CrashReporter/a.crash", 10);
    storeGrants(true, true);
    MainViewModel model;
    ResultListModel list(model);
    QAbstractItemModelTester tester(&list, QAbstractItemModelTester::FailureReportingMode::Fatal);
    ASSERT_TRUE(searched(model));

    EXPECT_EQ(rowNames(list), (std::vector<std::string>{"Trash", "Crash Reports"}));
    const QModelIndex trash = list.index(0);
    EXPECT_EQ(list.data(trash, ResultListModel::SizeTextRole).toString(),
              QStringLiteral("4.89 KB"));
    EXPECT_TRUE(list.data(trash, ResultListModel::IsCategoryRole).toBool());
    EXPECT_FALSE(list.data(trash, ResultListModel::IsExpandedRole).toBool());
    EXPECT_EQ(list.data(trash, ResultListModel::ItemCountRole).toInt(), 2);
    EXPECT_TRUE(list.data(trash, ResultListModel::IconRole)
                    .toString()
                    .startsWith(QStringLiteral("stock/")));
    EXPECT_EQ(list.roleNames().value(ResultListModel::CheckStateRole), QByteArray("checkState"));

    list.toggleExpanded(0);
    EXPECT_EQ(rowNames(list),
              (std::vector<std::string>{"Trash", "big.iso", "small.txt", "Crash Reports"}));
    EXPECT_TRUE(list.data(list.index(0), ResultListModel::IsExpandedRole).toBool());
    EXPECT_EQ(list.data(list.index(1), ResultListModel::PathRole).toString(),
              QString::fromStdString(home.pathOf("Library/.Trash/big.iso")));
    list.toggleExpanded(1); // an item row does not expand
    EXPECT_EQ(list.rowCount(), 4);

    // A click on an item: the item and its category change, reported once at the end of the turn.
    QSignalSpy changes(&list, &QAbstractItemModel::dataChanged);
    list.toggleChecked(2);
    EXPECT_EQ(changes.count(), 0);
    ASSERT_TRUE(changes.wait(2000));
    EXPECT_EQ(changes.count(), 1);
    EXPECT_EQ(changes.first().at(0).toModelIndex().row(), 0);
    EXPECT_EQ(changes.first().at(1).toModelIndex().row(), 2);
    EXPECT_EQ(list.data(list.index(2), ResultListModel::CheckStateRole).toInt(), Qt::Checked);
    EXPECT_EQ(list.data(list.index(0), ResultListModel::CheckStateRole).toInt(),
              Qt::PartiallyChecked);
    ASSERT_TRUE(test::waitUntil([&] { return model.hasSelection(); }));

    // Filtering keeps what was open; a new search closes everything.
    model.filter(QStringLiteral("big"));
    EXPECT_EQ(rowNames(list), (std::vector<std::string>{"Trash", "big.iso"}));
    model.filter(QString());
    EXPECT_EQ(rowNames(list),
              (std::vector<std::string>{"Trash", "big.iso", "small.txt", "Crash Reports"}))
        << "a cleared filter keeps the chosen order";
    list.toggleExpanded(0);
    EXPECT_EQ(rowNames(list), (std::vector<std::string>{"Trash", "Crash Reports"}));
    list.toggleExpanded(0);
    QSignalSpy searching(&model, &MainViewModel::isSearchingChanged);
    model.cleaner().startSearch();
    ASSERT_TRUE(test::waitUntil([&] { return searching.count() >= 2; }));
    EXPECT_EQ(rowNames(list), (std::vector<std::string>{"Trash", "Crash Reports"}));
}

TEST_F(ResultListModelTest, ThousandsOfItemsSelectInOneReport) {
    constexpr int itemCount = 5000;
    const int trash = open(home.folder("Library/.Trash").c_str(), O_RDONLY | O_DIRECTORY);
    ASSERT_GE(trash, 0);
    for (int i = 0; i < itemCount; ++i) {
        const int file = openat(trash, ("f" + std::to_string(i)).c_str(), O_WRONLY | O_CREAT, 0644);
        ASSERT_GE(file, 0);
        close(file);
    }
    close(trash);
    storeGrants(true, true);
    MainViewModel model;
    ResultListModel list(model);
    // The model's contract is checked by the tester above; here it would walk every row per change.
    ASSERT_TRUE(searched(model));
    list.toggleExpanded(0);
    ASSERT_EQ(list.rowCount(), itemCount + 1);

    QSignalSpy changes(&list, &QAbstractItemModel::dataChanged);
    QSignalSpy summaries(&model, &MainViewModel::selectionInfoChanged);
    model.selectAll();
    ASSERT_TRUE(summaries.wait(10000));
    EXPECT_EQ(changes.count(), 1) << "one report for every row that changed";
    EXPECT_EQ(summaries.count(), 1) << "one measurement for the whole action";
    EXPECT_EQ(model.selectionInfo(), QStringLiteral("5000 items selected, 0 B"));
    EXPECT_EQ(list.data(list.index(itemCount), ResultListModel::CheckStateRole).toInt(),
              Qt::Checked);
}
