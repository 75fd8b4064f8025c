#pragma once

#include "CleanerSeverity.h"
#include "platform/icons/Icon.h"

#include <QString>

#include <cstdint>

namespace sorvane {

// What every entry of a result tree shows, whatever it is (result, item or detail line).
class ICleanerBase {
public:
    virtual ~ICleanerBase() = default;

    virtual QString name() const = 0;
    // The entry's own icon field.
    virtual Image icon() const = 0;
    // A second line of text.
    virtual QString detail() const = 0;
    // How many things the entry stands for.
    virtual std::int64_t count() const = 0;
    virtual CleanerSeverity severity() const = 0;

protected:
    ICleanerBase() = default;
    ICleanerBase(const ICleanerBase&) = default;
    ICleanerBase& operator=(const ICleanerBase&) = default;
};

} // namespace sorvane
