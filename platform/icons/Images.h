#pragma once

#include "Icon.h"

#include <string>

namespace sorvane {

class Images {
public:
    Images() = delete;

    // A symbol image by its name, for example "iphone" or "archivebox".
    static Image symbol(const std::string& name);
    // A stock image of the desktop, for example "folder" or "trash-full".
    static Image stock(const std::string& name);
};

} // namespace sorvane
