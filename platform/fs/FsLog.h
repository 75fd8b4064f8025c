#pragma once

#include <QLoggingCategory>

namespace sorvane {

// Listings and removals that failed, with the system's reason. Removals that leave something
// behind are warnings; folders that could not be listed are informational.
Q_DECLARE_LOGGING_CATEGORY(fsLog)

} // namespace sorvane
