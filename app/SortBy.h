#pragma once

#include <QObject>
#include <QString>

#include <array>
#include <optional>

namespace sorvane {

// The order of the results: largest first, or by name.
class SortOrder {
    Q_GADGET

public:
    enum class SortBy {
        size = 0,
        name = 1,
    };
    Q_ENUM(SortBy)
};

using SortBy = SortOrder::SortBy;

inline constexpr std::array allSortOrders{SortBy::size, SortBy::name};

// No order for any value but 0 and 1.
std::optional<SortBy> sortByFromRawValue(int rawValue);
// The display text, from the application's string table.
QString localizedName(SortBy sortBy);

} // namespace sorvane
