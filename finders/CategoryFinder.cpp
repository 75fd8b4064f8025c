#include "CategoryFinder.h"

#include "engine/EngineStrings.h"

namespace sorvane {

CategoryFinder::CategoryFinder(const char* nameKey, Image icon,
                               std::optional<QString> bundleIdentifier)
    : CategoryFinder(nameKey, nameKey, std::move(icon), std::move(bundleIdentifier)) {}

CategoryFinder::CategoryFinder(const char* nameKey, const char* textKey, Image icon,
                               std::optional<QString> bundleIdentifier)
    : key_(nameKey)
    , icon_(std::move(icon))
    , result_(std::make_shared<CleanerResult>(EngineStrings::text(textKey), icon_, std::nullopt,
                                              std::nullopt))
    , bundleIdentifier_(std::move(bundleIdentifier)) {}

} // namespace sorvane
