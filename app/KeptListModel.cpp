#include "KeptListModel.h"

#include "AppStrings.h"
#include "MainViewModel.h"
#include "engine/MainQueue.h"

#include "platform/keep/KeepListFile.h"
#include "platform/text/IO.h"

#include <QPointer>

#include <cstring>
#include <utility>

namespace sorvane {

KeptListModel::KeptListModel(MainViewModel& model, QObject* parent)
    : QAbstractListModel(parent)
    , model_(model)
    , measurer_([self = QPointer<KeptListModel>(this)](std::uint64_t request, std::size_t index,
                                                       HoldingsMeasurer::Holding holding) {
        // Through the main queue, whose hand-over thread checkers see; a model that is gone by
        // then receives nothing.
        MainQueue::post([self, request, index, holding] {
            if (self) {
                self->measured(request, index, holding);
            }
        });
    }) {}

int KeptListModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(rows_.size());
}

QVariant KeptListModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= rowCount()) {
        return {};
    }
    const Row& row = rows_[static_cast<std::size_t>(index.row())];
    switch (role) {
    case Qt::DisplayRole:
    case EntryRole:
        return QString::fromStdString(row.rule.entry.text());
    case IsBuiltInRole:
        return row.rule.builtIn();
    case ReasonRole:
        return QString::fromStdString(row.rule.reason);
    case IsMeasuredRole:
        return row.holding.has_value();
    case LocationCountRole:
        return row.holding ? QVariant::fromValue(static_cast<qulonglong>(row.holding->locations))
                           : QVariant();
    case SizeRole:
        return row.holding ? QVariant::fromValue(static_cast<qulonglong>(row.holding->size.bytes))
                           : QVariant();
    case HoldingsRole: {
        if (!row.holding) {
            return AppStrings::text("MEASURING");
        }
        QString size = QString::fromStdString(IO::formattedSize(row.holding->size.bytes));
        if (!row.holding->size.complete) {
            size = AppStrings::text("AT_LEAST").arg(size);
        }
        return AppStrings::plural("KEPT_HOLDS", static_cast<std::int64_t>(row.holding->locations))
            .arg(size);
    }
    default:
        return {};
    }
}

QHash<int, QByteArray> KeptListModel::roleNames() const {
    return {
        {EntryRole, "entry"},
        {IsBuiltInRole, "isBuiltIn"},
        {ReasonRole, "reason"},
        {IsMeasuredRole, "isMeasured"},
        {LocationCountRole, "locationCount"},
        {SizeRole, "size"},
        {HoldingsRole, "holdings"},
    };
}

void KeptListModel::reload() {
    const KeepListFile::Lines stored = KeepListFile::read();
    if (stored.error != 0) {
        // Only the built-in entries are known then; the user must not take that for the list.
        model_.showAlert(
            AppStrings::text("KEEP_LIST_UNREADABLE"),
            QString::fromStdString(KeepListFile::location() + ": " + std::strerror(stored.error)));
    }
    const KeepList keep = KeepList::current();
    beginResetModel();
    rows_.clear();
    for (std::size_t index = 0; index < keep.rules().size(); ++index) {
        rows_.push_back({keep.rules()[index], index, std::nullopt});
    }
    endResetModel();
    measurer_.measure(++request_, keep.rules());
}

void KeptListModel::measured(std::uint64_t request, std::size_t index,
                             HoldingsMeasurer::Holding holding) {
    if (request != request_) {
        return; // for a list read before
    }
    for (std::size_t row = 0; row < rows_.size(); ++row) {
        if (rows_[row].measuredAs == index) {
            rows_[row].holding = holding;
            const QModelIndex changed = this->index(static_cast<int>(row));
            emit dataChanged(changed, changed);
            return;
        }
    }
}

void KeptListModel::remove(int row) {
    if (row < 0 || row >= rowCount() || rows_[static_cast<std::size_t>(row)].rule.builtIn()) {
        return;
    }
    const std::string entry = rows_[static_cast<std::size_t>(row)].rule.entry.text();
    if (const auto problem = KeepListFile::change({}, {entry})) {
        model_.showAlert(AppStrings::text("KEEP_FAILED"), QString::fromStdString(*problem));
        return;
    }
    beginRemoveRows(QModelIndex(), row, row);
    rows_.erase(rows_.begin() + row);
    endRemoveRows();
    removed_ = true;
}

void KeptListModel::close() {
    if (std::exchange(removed_, false)) {
        model_.searchAgain();
    }
}

} // namespace sorvane
