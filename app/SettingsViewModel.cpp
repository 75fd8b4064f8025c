#include "SettingsViewModel.h"

#include "platform/desktop/UserDefaults.h"

#include <algorithm>

namespace sorvane {

namespace {

const QString sortByKey = QStringLiteral("SortBy");
const QString olderThanDaysKey = QStringLiteral("OlderThanDays");

std::optional<int> storedInteger(const QString& key = sortByKey) {
    const auto stored = UserDefaults::value(key);
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

int SettingsViewModel::storedOlderThanDays() {
    const auto stored = storedInteger(olderThanDaysKey);
    const bool offered =
        stored && std::find(ageChoices.begin(), ageChoices.end(), *stored) != ageChoices.end();
    return offered ? *stored : 0;
}

int SettingsViewModel::ageChoice() const {
    const auto at = std::find(ageChoices.begin(), ageChoices.end(), storedOlderThanDays());
    return static_cast<int>(at - ageChoices.begin());
}

void SettingsViewModel::setOlderThanDays(int days) {
    if (std::find(ageChoices.begin(), ageChoices.end(), days) == ageChoices.end()) {
        return;
    }
    UserDefaults::setValue(olderThanDaysKey, days);
    emit olderThanDaysChanged();
}

SortBy SettingsViewModel::storedResultOrder() {
    // The same reading as the menu's, so that the list and the menu always agree.
    const auto stored = storedInteger();
    return stored ? sortByFromRawValue(*stored).value_or(SortBy::size) : SortBy::size;
}

} // namespace sorvane
