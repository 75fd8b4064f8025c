#include "engine/PredefinedCategories.h"

namespace sorvane {

CategoryList predefinedCategories() {
    return {};
}

} // namespace sorvane
