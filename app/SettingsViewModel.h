#pragma once

#include "SortBy.h"

#include <QObject>

namespace sorvane {

// The one user setting: the order of the results, stored under "SortBy" as its integer.
class SettingsViewModel : public QObject {
    Q_OBJECT
    Q_PROPERTY(sorvane::SortOrder::SortBy sortBy READ sortBy WRITE setSortBy NOTIFY sortByChanged)

public:
    explicit SettingsViewModel(QObject* parent = nullptr);

    // The stored order; size when nothing valid is stored.
    SortBy sortBy() const;
    // Stores the order at once.
    void setSortBy(SortBy sortBy);

    // The order a finished search applies: 0 or nothing stored means size, any other number name.
    static SortBy storedResultOrder();

signals:
    void sortByChanged();
};

} // namespace sorvane
