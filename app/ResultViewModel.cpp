#include "ResultViewModel.h"

#include <algorithm>

namespace sorvane {

ResultViewModel::ResultViewModel(const IDiskCleanerCategory& category, QObject* parent)
    : QObject(parent)
    , base_(category.result())
    , isCategory_(true)
    , name_(category.result()->name())
    , icon_(category.icon())
    , bundleIdentifier_(category.bundleIdentifier()) {
    for (const auto& item : category.result()->items()) {
        auto* node = new ResultViewModel(item, this);
        size_ += node->size();
        children_.append(node);
    }
    shownChildren_ = children_;
    updateState();
}

ResultViewModel::ResultViewModel(std::shared_ptr<CleanerItem> item, ResultViewModel* category)
    : QObject(category)
    , isSelected_(item->selected())
    , base_(item)
    , parentNode_(category)
    , name_(item->name())
    , size_(item->measuredSize())
    , icon_(item->displayIcon()) {}

int ResultViewModel::checkState() const {
    if (!isSelected_) {
        return Qt::PartiallyChecked;
    }
    return *isSelected_ ? Qt::Checked : Qt::Unchecked;
}

void ResultViewModel::assignSelected(std::optional<bool> selected) {
    if (isSelected_ == selected) {
        return;
    }
    isSelected_ = selected;
    emit isSelectedChanged();
    if (parentNode_ != nullptr) {
        emit parentNode_->itemChanged(this);
    }
}

void ResultViewModel::setAppRunning(bool running) {
    if (isAppRunning_ == running) {
        return;
    }
    isAppRunning_ = running;
    emit isAppRunningChanged();
}

void ResultViewModel::setShownChildren(QList<ResultViewModel*> shown) {
    shownChildren_ = std::move(shown);
}

void ResultViewModel::removeChild(ResultViewModel* item) {
    if (!children_.removeOne(item)) {
        return;
    }
    shownChildren_.removeOne(item);
    size_ -= item->size();
    item->deleteLater();
    emit sizeChanged();
    updateState();
}

void ResultViewModel::setSelected(bool selected) {
    assignSelected(selected);
    if (isCategory_) {
        for (ResultViewModel* child : shownChildren_) {
            child->setSelected(selected);
        }
    }
}

void ResultViewModel::handOverSelection() const {
    if (const auto engineItem = item(); engineItem && isSelected_) {
        engineItem->setSelected(*isSelected_);
    }
}

void ResultViewModel::updateState() {
    if (!isCategory_) {
        return;
    }
    const bool anySelected =
        std::any_of(shownChildren_.begin(), shownChildren_.end(),
                    [](const ResultViewModel* child) { return child->isSelected_ == true; });
    const bool anyUnselected =
        std::any_of(shownChildren_.begin(), shownChildren_.end(),
                    [](const ResultViewModel* child) { return child->isSelected_ == false; });
    const bool anyMixed =
        std::any_of(shownChildren_.begin(), shownChildren_.end(),
                    [](const ResultViewModel* child) { return !child->isSelected_; });
    if (anySelected && anyUnselected) {
        assignSelected(std::nullopt);
    } else if (!anyMixed) {
        // Every shown item agrees (or there are none): the category says the same.
        assignSelected(!anyUnselected);
    }
}

void ResultViewModel::toggle() {
    if (!isCategory_) {
        if (!isSelected_) {
            return;
        }
        setSelected(!*isSelected_);
        if (parentNode_ != nullptr) {
            parentNode_->updateState();
        }
        return;
    }
    const auto states = [&](bool wanted) {
        return std::count_if(
            shownChildren_.begin(), shownChildren_.end(),
            [&](const ResultViewModel* child) { return child->isSelected_ == wanted; });
    };
    const auto selected = states(true);
    const auto unselected = states(false);
    const auto total = shownChildren_.size();
    if (selected > 0 && unselected > 0) {
        // A mixed category becomes unselected, not selected.
        for (ResultViewModel* child : shownChildren_) {
            child->setSelected(false);
        }
        assignSelected(false);
    } else if (selected == total) {
        setSelected(false);
    } else if (unselected == total) {
        setSelected(true);
    }
    updateState();
}

} // namespace sorvane
