#pragma once

#include "platform/fs/Url.h"

#include <string>

namespace sorvane {

// The home folder and the three base folders of a home laid out by the freedesktop
// conventions. The home is $HOME as it stands; it is usable only when it is an existing folder
// that is not a link, and every folder is empty when it is not.
struct FreedesktopFolders {
    Url home;
    Url cache;
    Url config;
    Url data;

    bool usable() const { return !home.isEmpty(); }

    // $HOME, and each base folder from its XDG variable when that holds an absolute path, else
    // its default under the home.
    static FreedesktopFolders fromEnvironment();
    // The given home with every base folder at its default under it; the variables are ignored.
    static FreedesktopFolders under(const std::string& home);

    // Why a home cannot be used, or empty when it can.
    static std::string problemWith(const std::string& home);
};

} // namespace sorvane
