#include "SettingsViewModel.h"

#include "platform/desktop/UserDefaults.h"

namespace sorvane {

namespace {

const QString sortByKey = QStringLiteral("SortBy");

std::optional<int> storedInteger() {
    const auto stored = UserDefaults::value(sortByKey);
    if (!stored) {
        return std::nullopt;
    }
    bool isNumber = false;
    const int value = stored->toInt(&isNumber);
    return isNumber ? std::optional<int>(value) : std::nullopt;
}

} // namespace

SettingsViewModel::SettingsViewModel(QObject* parent)
    : QObject(parent) {}

SortBy SettingsViewModel::sortBy() const {
    const auto stored = storedInteger();
    return stored ? sortByFromRawValue(*stored).value_or(SortBy::size) : SortBy::size;
}

void SettingsViewModel::setSortBy(SortBy sortBy) {
    UserDefaults::setValue(sortByKey, static_cast<int>(sortBy));
    emit sortByChanged();
}

SortBy SettingsViewModel::storedResultOrder() {
    // The same reading as the menu's, so that the list and the menu always agree.
    const auto stored = storedInteger();
    return stored ? sortByFromRawValue(*stored).value_or(SortBy::size) : SortBy::size;
}

} // namespace sorvane
