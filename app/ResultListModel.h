#pragma once

#include <QAbstractListModel>
#include <QHash>
#include <QPointer>
#include <QSet>
#include <QUuid>

#include <vector>

namespace sorvane {

class MainViewModel;
class ResultViewModel;

// The shown results as one flat list for the window: each category row followed, while it is
// expanded, by the rows of its shown items. Only visible rows get delegates, so a category of tens
// of thousands of items stays smooth. Changes of rows' check and running states are gathered and
// reported at the end of each turn of the event loop, for the rows that changed and no others.
class ResultListModel : public QAbstractListModel {
    Q_OBJECT

public:
    enum Role {
        NameRole = Qt::UserRole + 1,
        SizeRole,
        SizeTextRole,
        CheckStateRole,
        IsCategoryRole,
        IsExpandedRole,
        IsAppRunningRole,
        IconRole,
        PathRole,
        ItemCountRole,
    };
    Q_ENUM(Role)

    explicit ResultListModel(MainViewModel& model, QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QHash<int, QByteArray> roleNames() const override;

    // Opens or closes a category row; item rows ignore it.
    Q_INVOKABLE void toggleExpanded(int row);
    // The check box of a row, as the user clicks it.
    Q_INVOKABLE void toggleChecked(int row);
    // Shows an item's location in the file manager.
    Q_INVOKABLE void reveal(int row) const;
    // Adds the row's locations to the keep list; the row leaves the list when that worked.
    Q_INVOKABLE void keep(int row);
    // The node shown in a row, for tests and accessibility; none outside the list.
    ResultViewModel* node(int row) const;

private:
    void rebuild();
    // Takes out the rows of nodes that left the results and moves the categories whose place in
    // the order changed, so that the view keeps its place.
    void shrink();
    // The rows the shown results call for, with the items of the open categories.
    std::vector<ResultViewModel*> wantedRows() const;
    void watch(ResultViewModel* category);
    void markChanged(ResultViewModel* node);
    void reportChanges();
    void reindexFrom(int first);

    MainViewModel& model_;
    std::vector<ResultViewModel*> rows_;
    QHash<const ResultViewModel*, int> rowOf_;
    // By identity rather than address: a new search's nodes may reuse the old ones' memory. A
    // category the filter hides stays in it, to open again when it shows.
    QSet<QUuid> expanded_;
    QSet<const ResultViewModel*> changed_;
    bool reportPending_ = false;
};

} // namespace sorvane
