#pragma once

#include "IDiskCleanerCategory.h"

namespace sorvane {

// Newly built finders of every category of the layout in use, in run order. Defined with the
// finders, so that the engine reaches them without depending on their headers.
CategoryList predefinedCategories();

} // namespace sorvane
