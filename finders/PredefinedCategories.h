#pragma once

#include "engine/IDiskCleanerCategory.h"
#include "platform/places/Layout.h"

namespace sorvane {

// Newly built finders of every category of the layout in use, in run order.
CategoryList predefinedCategories();
// The same for a given layout.
CategoryList predefinedCategories(LayoutKind layout);

} // namespace sorvane
