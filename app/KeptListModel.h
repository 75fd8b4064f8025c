#pragma once

#include "HoldingsMeasurer.h"

#include "platform/keep/KeepList.h"

#include <QAbstractListModel>

#include <cstdint>
#include <optional>
#include <vector>

namespace sorvane {

class MainViewModel;

// The keep list as the Kept panel shows it: the user's entries, which can be removed, and the
// built-in ones with the reason they stay, each with what it holds now. Reloading reads the list
// afresh and measures the entries off the main thread; a row says it is being measured until its
// numbers arrive.
class KeptListModel : public QAbstractListModel {
    Q_OBJECT

public:
    enum Role {
        EntryRole = Qt::UserRole + 1,
        IsBuiltInRole,
        ReasonRole,
        IsMeasuredRole,
        LocationCountRole,
        SizeRole,
        // "2 locations, 4 KB", or that it is being measured.
        HoldingsRole,
    };
    Q_ENUM(Role)

    explicit KeptListModel(MainViewModel& model, QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QHash<int, QByteArray> roleNames() const override;

    // Reads the keep list as it is now and measures what each entry holds.
    Q_INVOKABLE void reload();
    // Takes one of the user's entries out of the keep list; a list that cannot be written shows
    // the reason and keeps the row. Built-in rows stay.
    Q_INVOKABLE void remove(int row);
    // The panel closes: when an entry went, a new search offers again what it kept.
    Q_INVOKABLE void close();

private:
    struct Row {
        KeepRule rule;
        // Its place in the measured request, which removals do not change.
        std::size_t measuredAs;
        std::optional<HoldingsMeasurer::Holding> holding;
    };

    void measured(std::uint64_t request, std::size_t index, HoldingsMeasurer::Holding holding);

    MainViewModel& model_;
    std::vector<Row> rows_;
    std::uint64_t request_ = 0;
    bool removed_ = false;
    // Last, so that its thread has ended before anything it reports to goes.
    HoldingsMeasurer measurer_;
};

} // namespace sorvane
