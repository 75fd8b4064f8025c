#include "ResultListModel.h"

#include "IconSource.h"
#include "MainViewModel.h"
#include "ResultViewModel.h"

#include "platform/desktop/Finder.h"
#include "platform/text/IO.h"

#include <QTimer>

#include <algorithm>
#include <iterator>

namespace sorvane {

ResultListModel::ResultListModel(MainViewModel& model, QObject* parent)
    : QAbstractListModel(parent)
    , model_(model) {
    connect(&model_, &MainViewModel::resultsChanged, this, &ResultListModel::rebuild);
    connect(&model_, &MainViewModel::resultsShrank, this, &ResultListModel::shrink);
    rebuild();
}

std::vector<ResultViewModel*> ResultListModel::wantedRows() const {
    std::vector<ResultViewModel*> rows;
    for (ResultViewModel* category : model_.results()) {
        rows.push_back(category);
        if (expanded_.contains(category->id())) {
            rows.insert(rows.end(), category->shownChildren().begin(),
                        category->shownChildren().end());
        }
    }
    return rows;
}

void ResultListModel::rebuild() {
    beginResetModel();
    for (ResultViewModel* row : rows_) {
        disconnect(row, nullptr, this, nullptr);
    }
    rowOf_.clear();
    changed_.clear();
    // A new search brings new nodes: what was open belonged to the old ones.
    QSet<QUuid> stillThere;
    for (const auto& category : model_.allResults()) {
        if (expanded_.contains(category->id())) {
            stillThere.insert(category->id());
        }
    }
    expanded_ = std::move(stillThere);
    rows_ = wantedRows();
    for (ResultViewModel* category : model_.results()) {
        watch(category);
    }
    reindexFrom(0);
    endResetModel();
}

void ResultListModel::shrink() {
    const std::vector<ResultViewModel*> wanted = wantedRows();
    const QSet<const ResultViewModel*> staying(wanted.begin(), wanted.end());
    // From the end, so that the rows before a run keep their numbers.
    for (int last = rowCount() - 1; last >= 0;) {
        if (staying.contains(rows_[static_cast<std::size_t>(last)])) {
            --last;
            continue;
        }
        int first = last;
        while (first > 0 && !staying.contains(rows_[static_cast<std::size_t>(first - 1)])) {
            --first;
        }
        beginRemoveRows(QModelIndex(), first, last);
        for (int row = first; row <= last; ++row) {
            rowOf_.remove(rows_[static_cast<std::size_t>(row)]);
            changed_.remove(rows_[static_cast<std::size_t>(row)]);
        }
        rows_.erase(rows_.begin() + first, rows_.begin() + last + 1);
        endRemoveRows();
        last = first - 1;
    }
    if (rows_.size() != wanted.size()) {
        rebuild(); // rows came as well as went: not a shrinking after all
        return;
    }
    // Both are the same blocks of a category and its open items; a block whose category shrank
    // may stand elsewhere in the size order.
    for (std::size_t at = 0; at < rows_.size(); ++at) {
        if (rows_[at] == wanted[at]) {
            continue;
        }
        const auto from =
            std::find(rows_.begin() + static_cast<std::ptrdiff_t>(at), rows_.end(), wanted[at]);
        const auto length = static_cast<std::ptrdiff_t>(
            1 + (expanded_.contains(wanted[at]->id()) ? wanted[at]->shownChildren().size() : 0));
        if (from == rows_.end() || rows_.end() - from < length) {
            rebuild();
            return;
        }
        const int first = static_cast<int>(from - rows_.begin());
        beginMoveRows(QModelIndex(), first, first + static_cast<int>(length) - 1, QModelIndex(),
                      static_cast<int>(at));
        std::rotate(rows_.begin() + static_cast<std::ptrdiff_t>(at), from, from + length);
        endMoveRows();
    }
    reindexFrom(0);
    // Sizes, counts and states of the categories that lost items.
    if (!rows_.empty()) {
        emit dataChanged(index(0), index(rowCount() - 1));
    }
}

void ResultListModel::watch(ResultViewModel* category) {
    // Items report through their category: a category of 50,000 items opens without 50,000
    // connections.
    connect(category, &ResultViewModel::isSelectedChanged, this,
            [this, category] { markChanged(category); });
    connect(category, &ResultViewModel::isAppRunningChanged, this,
            [this, category] { markChanged(category); });
    connect(category, &ResultViewModel::itemChanged, this, &ResultListModel::markChanged);
    // Nodes go only with a new search, which rebuilds the list anyway.
    connect(category, &QObject::destroyed, this, [this] { changed_.clear(); });
}

void ResultListModel::reindexFrom(int first) {
    for (int row = first; row < static_cast<int>(rows_.size()); ++row) {
        rowOf_.insert(rows_[static_cast<std::size_t>(row)], row);
    }
}

int ResultListModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(rows_.size());
}

ResultViewModel* ResultListModel::node(int row) const {
    if (row < 0 || row >= static_cast<int>(rows_.size())) {
        return nullptr;
    }
    return rows_[static_cast<std::size_t>(row)];
}

QVariant ResultListModel::data(const QModelIndex& index, int role) const {
    const ResultViewModel* shown = index.isValid() ? node(index.row()) : nullptr;
    if (shown == nullptr) {
        return {};
    }
    switch (role) {
    case Qt::DisplayRole:
    case NameRole:
        return shown->name();
    case SizeRole:
        return QVariant::fromValue(shown->size());
    case SizeTextRole:
        return QString::fromStdString(IO::formattedSize(shown->size()));
    case CheckStateRole:
        return shown->checkState();
    case IsCategoryRole:
        return shown->isCategory();
    case IsExpandedRole:
        return expanded_.contains(shown->id());
    case IsAppRunningRole:
        return shown->isAppRunning();
    case IconRole:
        return iconSource(shown->icon());
    case PathRole: {
        const auto item = shown->item();
        return item && item->url() ? QString::fromStdString(item->url()->path()) : QString();
    }
    case ItemCountRole:
        return static_cast<int>(shown->shownChildren().size());
    default:
        return {};
    }
}

QHash<int, QByteArray> ResultListModel::roleNames() const {
    return {
        {NameRole, "name"},
        {SizeRole, "size"},
        {SizeTextRole, "sizeText"},
        {CheckStateRole, "checkState"},
        {IsCategoryRole, "isCategory"},
        {IsExpandedRole, "isExpanded"},
        {IsAppRunningRole, "isAppRunning"},
        {IconRole, "icon"},
        {PathRole, "path"},
        {ItemCountRole, "itemCount"},
    };
}

void ResultListModel::toggleExpanded(int row) {
    ResultViewModel* category = node(row);
    if (category == nullptr || !category->isCategory()) {
        return;
    }
    const auto& items = category->shownChildren();
    const int first = row + 1;
    if (expanded_.contains(category->id())) {
        expanded_.remove(category->id());
        if (!items.isEmpty()) {
            beginRemoveRows(QModelIndex(), first, first + static_cast<int>(items.size()) - 1);
            for (const ResultViewModel* item : items) {
                rowOf_.remove(item);
                changed_.remove(item);
            }
            rows_.erase(rows_.begin() + first, rows_.begin() + first + items.size());
            reindexFrom(first);
            endRemoveRows();
        }
    } else {
        expanded_.insert(category->id());
        if (!items.isEmpty()) {
            beginInsertRows(QModelIndex(), first, first + static_cast<int>(items.size()) - 1);
            rows_.insert(rows_.begin() + first, items.begin(), items.end());
            reindexFrom(first);
            endInsertRows();
        }
    }
    const QModelIndex changedRow = index(row);
    emit dataChanged(changedRow, changedRow, {IsExpandedRole});
}

void ResultListModel::toggleChecked(int row) {
    if (ResultViewModel* shown = node(row)) {
        shown->toggle();
        model_.updateSelection();
    }
}

void ResultListModel::reveal(int row) const {
    const ResultViewModel* shown = node(row);
    const auto item = shown != nullptr ? shown->item() : nullptr;
    if (item && item->url()) {
        Finder::reveal(*item->url());
    }
}

void ResultListModel::keep(int row) {
    model_.keep(node(row));
}

void ResultListModel::markChanged(ResultViewModel* node) {
    changed_.insert(node);
    if (reportPending_) {
        return;
    }
    reportPending_ = true;
    QTimer::singleShot(0, this, &ResultListModel::reportChanges);
}

void ResultListModel::reportChanges() {
    reportPending_ = false;
    if (changed_.isEmpty()) {
        return;
    }
    std::vector<int> rows;
    rows.reserve(static_cast<std::size_t>(changed_.size()));
    for (const ResultViewModel* node : std::as_const(changed_)) {
        const auto found = rowOf_.constFind(node);
        if (found != rowOf_.constEnd()) {
            rows.push_back(*found);
        }
    }
    changed_.clear();
    std::sort(rows.begin(), rows.end());
    // One report per run of adjacent changed rows: a whole list selected at once is one report,
    // and the rows between two changes are not announced again.
    for (auto first = rows.begin(); first != rows.end();) {
        auto last = first;
        while (std::next(last) != rows.end() && *std::next(last) == *last + 1) {
            ++last;
        }
        emit dataChanged(index(*first), index(*last), {CheckStateRole, IsAppRunningRole});
        first = std::next(last);
    }
}

} // namespace sorvane
