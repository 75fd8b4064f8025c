#include "DiskCleanerBlacklist.h"

#include <algorithm>

namespace sorvane {

DiskCleanerBlacklist::DiskCleanerBlacklist(const std::vector<QString>& prefixes)
    : items_(prefixes.begin(), prefixes.end()) {}

bool DiskCleanerBlacklist::contains(const QString& name) const {
    return std::any_of(items_.begin(), items_.end(), [&](const QString& prefix) {
        return name.startsWith(prefix, Qt::CaseSensitive);
    });
}

} // namespace sorvane
