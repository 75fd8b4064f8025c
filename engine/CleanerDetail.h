#pragma once

#include "ICleanerBase.h"

#include <optional>

namespace sorvane {

// One line of detail under an item.
class CleanerDetail final : public ICleanerBase {
public:
    // A line with a quantity and no text.
    CleanerDetail(QString name, CleanerSeverity severity, std::optional<std::int64_t> value,
                  Image icon);
    // A line with text and no quantity.
    CleanerDetail(QString name, QString detail, CleanerSeverity severity, Image icon);

    QString name() const override { return name_; }
    void setName(QString name) { name_ = std::move(name); }
    QString detail() const override { return detail_; }
    void setDetail(QString detail) { detail_ = std::move(detail); }
    Image icon() const override { return icon_; }
    void setIcon(Image icon) { icon_ = std::move(icon); }
    // Absent means one.
    std::optional<std::int64_t> value() const { return value_; }
    void setValue(std::optional<std::int64_t> value) { value_ = value; }
    CleanerSeverity severity() const override { return severity_; }
    void setSeverity(CleanerSeverity severity) { severity_ = severity; }

    std::int64_t count() const override { return value_.value_or(1); }

private:
    QString detail_;
    QString name_;
    Image icon_;
    std::optional<std::int64_t> value_;
    CleanerSeverity severity_;
};

} // namespace sorvane
