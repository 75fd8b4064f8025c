#pragma once

#include <QString>

#include <set>
#include <vector>

namespace sorvane {

// Name prefixes that a finder must leave alone.
class DiskCleanerBlacklist {
public:
    explicit DiskCleanerBlacklist(const std::vector<QString>& prefixes);

    const std::set<QString>& items() const { return items_; }
    // True when the name begins with one of the prefixes (case-sensitive).
    bool contains(const QString& name) const;

private:
    std::set<QString> items_;
};

} // namespace sorvane
