#pragma once

#include <string>
#include <vector>

namespace sorvane {

// Locations that lie in a cache folder but hold state or personal files, which the freedesktop
// layout never offers, whatever the user's own keep list says.
class BuiltInKeeps {
public:
    BuiltInKeeps() = delete;

    struct Entry {
        // A keep-list entry: "~/" for the home when the location lies in it.
        std::string entry;
        // What would be lost, in words for the user.
        std::string reason;
    };
    // The entries for the freedesktop folders of the layout in use.
    static std::vector<Entry> freedesktop();
};

} // namespace sorvane
