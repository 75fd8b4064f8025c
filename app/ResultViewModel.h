#pragma once

#include "engine/CleanerItem.h"
#include "engine/CleanerResult.h"
#include "engine/IDiskCleanerCategory.h"

#include <QList>
#include <QObject>
#include <QUuid>

#include <memory>
#include <optional>

namespace sorvane {

// A node of the displayed result tree: a category node owning one item node per found item.
// Check states are tri-state on categories, and every item's state is written through to the
// engine's item, which is what a cleaning deletes.
class ResultViewModel : public QObject {
    Q_OBJECT
    Q_PROPERTY(int checkState READ checkState NOTIFY isSelectedChanged)
    Q_PROPERTY(bool isAppRunning READ isAppRunning WRITE setAppRunning NOTIFY isAppRunningChanged)
    Q_PROPERTY(QString name READ name CONSTANT)
    Q_PROPERTY(quint64 size READ size NOTIFY sizeChanged)
    Q_PROPERTY(bool isCategory READ isCategory CONSTANT)

public:
    // A category node with an item node per item of the category's result. Items carry the size
    // the engine measured during the search; a category's size is their sum. Building a node
    // never touches the disk.
    explicit ResultViewModel(const IDiskCleanerCategory& category, QObject* parent = nullptr);
    // An item node of the given category node.
    ResultViewModel(std::shared_ptr<CleanerItem> item, ResultViewModel* category);

    // True, false, or absent for a category with some items selected and some not.
    std::optional<bool> isSelected() const { return isSelected_; }
    // The state as Qt::CheckState for views.
    int checkState() const;
    bool isAppRunning() const { return isAppRunning_; }
    void setAppRunning(bool running);

    const QUuid& id() const { return id_; }
    // The engine object shown: a CleanerResult or a CleanerItem.
    std::shared_ptr<ICleanerBase> base() const { return base_; }
    std::shared_ptr<CleanerItem> item() const {
        return std::dynamic_pointer_cast<CleanerItem>(base_);
    }
    bool isCategory() const { return isCategory_; }
    // A category's item nodes in their current order; empty for items.
    const QList<ResultViewModel*>& children() const { return children_; }
    // The item nodes the filter lets through (all of them without a filter). Check-box actions
    // on the category reach only these, and its state summarises only these.
    const QList<ResultViewModel*>& shownChildren() const { return shownChildren_; }
    void setShownChildren(QList<ResultViewModel*> shown);
    // The category node of an item; none for a category.
    ResultViewModel* parentNode() const { return parentNode_; }

    const QString& name() const { return name_; }
    // An item's size as measured by the search; a category's is the sum of the items it has
    // now, so it shrinks when one leaves.
    quint64 size() const { return size_; }
    const Image& icon() const { return icon_; }
    const std::optional<QString>& bundleIdentifier() const { return bundleIdentifier_; }

    // Selects the node (a category: its shown items). Only the node changes; the engine's items
    // learn the selection when it is handed over for a cleaning (handOverSelection).
    void setSelected(bool selected);
    // Writes an item node's state to the engine's item; does nothing for a category.
    void handOverSelection() const;
    // The user's click on the node's check box.
    void toggle();
    // Recomputes a category's state from its shown items.
    void updateState();
    // Takes an item node out of a category for good (it is deleted once control returns to the
    // event loop, so that views may still compare it), and updates the size and state.
    void removeChild(ResultViewModel* item);
    // Reorders the items (all and shown alike) with a stable sort.
    template <typename Less> void sortChildren(Less less);

signals:
    void isSelectedChanged();
    // On a category: one of its items changed its selection. One connection per category
    // serves a category of any size.
    void itemChanged(sorvane::ResultViewModel* item);
    void isAppRunningChanged();
    void sizeChanged();

private:
    void assignSelected(std::optional<bool> selected);

    std::optional<bool> isSelected_;
    bool isAppRunning_ = false;
    const QUuid id_ = QUuid::createUuid();
    std::shared_ptr<ICleanerBase> base_;
    bool isCategory_ = false;
    QList<ResultViewModel*> children_; // owned as QObject children
    QList<ResultViewModel*> shownChildren_;
    ResultViewModel* parentNode_ = nullptr;
    QString name_;
    quint64 size_ = 0;
    Image icon_;
    std::optional<QString> bundleIdentifier_;
};

template <typename Less> void ResultViewModel::sortChildren(Less less) {
    std::stable_sort(children_.begin(), children_.end(), less);
    std::stable_sort(shownChildren_.begin(), shownChildren_.end(), less);
}

} // namespace sorvane
