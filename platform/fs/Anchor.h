#pragma once

#include "FileDescriptor.h"
#include "Url.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace sorvane {

// Reaches locations from the folder they belong to, their anchor: the home folder, the system
// root's application and volume folders, or a base folder of the layout. The anchor itself may
// be reached through links (a home or a system root given by the user may be), but nothing
// below it is: a location whose path holds a link, or a "." or ".." component, below its
// anchor cannot be opened. Every call resolves afresh, so a folder swapped for a link between
// a search and a removal is noticed at the removal.
class Anchor {
public:
    Anchor() = delete;

    // Base folders of the layout in use, anchors besides the home and the system folders.
    static void setBaseFolders(std::vector<std::string> folders);
    // The home folder of the layout in use, when it is not the macOS home (the first two pieces
    // of $HOME); nothing goes back to that one.
    static void setHomeFolder(std::optional<std::string> folder);
    // The anchor of a location: the deepest anchor folder that is the location or holds it,
    // "/" when none does.
    static std::string of(const std::string& path);

    // Opens the location with the given open flags. Neither a folder on the way nor the
    // location itself may be a link (ELOOP); the anchor itself may.
    static FileDescriptor open(const Url& location, int flags);

    // The folder that holds a location, open for use with the *at() calls, and the location's
    // name in it. The folder is reached as open() reaches a location.
    struct Parent {
        FileDescriptor folder;
        std::string name;
    };
    static Parent openParent(const Url& location);

    // Opens a folder as open() does, making it and the folders above it that are missing, 0700
    // (what they hold is the user's alone), each made and opened from its parent without
    // following a link.
    static FileDescriptor openFolderMaking(const std::string& folder);

    // Resolves a path relative to an open folder, one component at a time, never through a
    // link and never above the folder. An empty path opens the folder itself again.
    static FileDescriptor openBeneath(int folder, const std::string& relative, int flags);

    // Whether a path, relative or absolute, has a "." or ".." component anywhere.
    static bool hasDotComponent(std::string_view path);

    // Tests run the resolution both with the kernel's resolver and component by component.
    static void setKernelResolverAllowed(bool allowed);

private:
    static FileDescriptor openOnce(const Url& location, int flags);
};

} // namespace sorvane
