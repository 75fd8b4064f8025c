#pragma once

#include "platform/fs/Url.h"

namespace sorvane {

class Finder {
public:
    Finder() = delete;

    // Shows the item selected in the desktop's file manager, or opens its parent folder when no
    // file manager answers. Returns at once; the request runs in a detached process.
    static void reveal(const Url& url);
};

} // namespace sorvane
