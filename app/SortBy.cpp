#include "SortBy.h"

#include "AppStrings.h"

namespace sorvane {

std::optional<SortBy> sortByFromRawValue(int rawValue) {
    switch (rawValue) {
    case 0:
        return SortBy::size;
    case 1:
        return SortBy::name;
    default:
        return std::nullopt;
    }
}

QString localizedName(SortBy sortBy) {
    return AppStrings::text(sortBy == SortBy::size ? "SIZE" : "NAME");
}

} // namespace sorvane
