#pragma once

#include <QLoggingCategory>

namespace sorvane {

// The engine's own messages: refused starts and the like ("sorvane.engine").
Q_DECLARE_LOGGING_CATEGORY(engineLog)

} // namespace sorvane
