#include "CleanerDetail.h"

namespace sorvane {

CleanerDetail::CleanerDetail(QString name, CleanerSeverity severity,
                             std::optional<std::int64_t> value, Image icon)
    : name_(std::move(name))
    , icon_(std::move(icon))
    , value_(value)
    , severity_(severity) {}

CleanerDetail::CleanerDetail(QString name, QString detail, CleanerSeverity severity, Image icon)
    : detail_(std::move(detail))
    , name_(std::move(name))
    , icon_(std::move(icon))
    , severity_(severity) {}

} // namespace sorvane
