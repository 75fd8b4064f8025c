#pragma once

#include "engine/IDiskCleanerCategory.h"

namespace sorvane {

// Newly built finders of every category of a freedesktop home, in search order.
CategoryList freedesktopCategories();

} // namespace sorvane
