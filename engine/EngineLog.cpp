#include "EngineLog.h"

namespace sorvane {

Q_LOGGING_CATEGORY(engineLog, "sorvane.engine")

} // namespace sorvane
