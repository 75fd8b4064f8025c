#pragma once

#include "SortBy.h"

#include <QObject>

#include <array>

namespace sorvane {

// The user's settings: the order of the results, stored under "SortBy" as its integer, and how
// long a file must have gone unused to be offered, stored under "OlderThanDays" as its days.
class SettingsViewModel : public QObject {
    Q_OBJECT
    Q_PROPERTY(sorvane::SortOrder::SortBy sortBy READ sortBy WRITE setSortBy NOTIFY sortByChanged)
    // The index in ageChoices of the stored age limit, as the menu shows it.
    Q_PROPERTY(int ageChoice READ ageChoice NOTIFY olderThanDaysChanged)

public:
    explicit SettingsViewModel(QObject* parent = nullptr);

    // The stored order; size when nothing valid is stored.
    SortBy sortBy() const;
    // Stores the order at once.
    void setSortBy(SortBy sortBy);

    // The order a finished search applies: 0 or nothing stored means size, any other number name.
    static SortBy storedResultOrder();

    // The age limits the menu offers, in days, 0 for any age, in menu order.
    static constexpr std::array<int, 4> ageChoices{0, 7, 30, 90};
    // The stored age limit; 0 (any age) when nothing stored is one of the choices.
    static int storedOlderThanDays();
    int ageChoice() const;
    // Stores one of the choices at once; any other number is ignored.
    void setOlderThanDays(int days);

signals:
    void sortByChanged();
    void olderThanDaysChanged();
};

} // namespace sorvane
