#pragma once

#include <set>
#include <string>
#include <vector>

namespace sorvane {

// The application icons that the installed icon themes provide, by name. Icons are found where
// the freedesktop icon conventions put them: <base>/icons/<theme>/<size>/apps/ for every data
// folder (the user's, the system's, Flatpak's and Snap's exports) and the pixmaps folder. System
// folders are looked up under the system root.
class IconThemes {
public:
    IconThemes() = delete;

    // The names (file names without their image extension) of every application icon found.
    static std::set<std::string> applicationIconNames();
    // The folders searched, in the order of the icon conventions.
    static std::vector<std::string> iconFolders();
};

} // namespace sorvane
