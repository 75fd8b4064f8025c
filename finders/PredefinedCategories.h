#pragma once

#include "engine/IDiskCleanerCategory.h"

namespace sorvane {

// Newly built finders of every category of the layout in use, in run order.
CategoryList predefinedCategories();

} // namespace sorvane
