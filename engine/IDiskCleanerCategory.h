#pragma once

#include "CleanerResult.h"

#include <QString>

#include <memory>
#include <optional>
#include <string>

namespace sorvane {

// One category of junk: knows where it lies and fills its result when asked.
class IDiskCleanerCategory {
public:
    virtual ~IDiskCleanerCategory() = default;

    // The same object for the category's whole life; each search appends to its items.
    virtual std::shared_ptr<CleanerResult> result() const = 0;
    // The key that names the category wherever a name must not change with the language: the
    // command line's arguments and reports.
    virtual std::string key() const = 0;
    virtual Image icon() const = 0;
    // The application whose data the category holds, if it belongs to one.
    virtual std::optional<QString> bundleIdentifier() const = 0;
    // Scans synchronously on the calling thread and appends to the result's items.
    virtual void search() = 0;

protected:
    IDiskCleanerCategory() = default;
    IDiskCleanerCategory(const IDiskCleanerCategory&) = default;
    IDiskCleanerCategory& operator=(const IDiskCleanerCategory&) = default;
};

using CategoryList = std::vector<std::shared_ptr<IDiskCleanerCategory>>;

} // namespace sorvane
