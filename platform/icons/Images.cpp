#include "Images.h"

namespace sorvane {

Image Images::symbol(const std::string& name) {
    return makeImage(Icon::Kind::symbol, name);
}

Image Images::stock(const std::string& name) {
    return makeImage(Icon::Kind::stock, name);
}

} // namespace sorvane
