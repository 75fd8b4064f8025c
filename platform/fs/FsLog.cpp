#include "FsLog.h"

namespace sorvane {

Q_LOGGING_CATEGORY(fsLog, "sorvane.fs", QtInfoMsg)

} // namespace sorvane
