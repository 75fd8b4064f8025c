#include "CategoryFinder.h"

#include "engine/EngineStrings.h"

namespace sorvane {

CategoryFinder::CategoryFinder(const char* nameKey, Image icon,
                               std::optional<QString> bundleIdentifier)
    : nameKey_(nameKey)
    , icon_(std::move(icon))
    , result_(std::make_shared<CleanerResult>(EngineStrings::text(nameKey), icon_, std::nullopt,
                                              std::nullopt))
    , bundleIdentifier_(std::move(bundleIdentifier)) {}

} // namespace sorvane
