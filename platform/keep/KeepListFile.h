#pragma once

#include <optional>
#include <string>
#include <vector>

namespace sorvane {

// The keep list as stored: a plain-text file beside the settings file, one entry per line.
// A line whose first character that is not blank is "#", and anything after a blank followed by
// "#", is a comment. Every change is made under a lock on what is stored at that moment and
// written whole to a new file that then takes the old one's place, so that two programs
// changing the list at once both keep their changes and a reader never sees half a list.
class KeepListFile {
public:
    KeepListFile() = delete;

    // Where the list is stored.
    static std::string location();
    // Stores the list at the given path instead; an empty path restores the default.
    static void useLocation(std::string path);

    struct Lines {
        // The entries as written, without comments and surrounding blanks.
        std::vector<std::string> entries;
        // Why the list could not be read (an errno value); a missing list is an empty one.
        int error = 0;
    };
    static Lines read();

    // Adds the entries not stored yet and takes out those stored that equal one to remove, on
    // the list as stored now; comments and other lines stay as they are. The reason the list
    // could not be changed, if it could not.
    static std::optional<std::string> change(const std::vector<std::string>& add,
                                             const std::vector<std::string>& remove);

    // The entry a line holds, empty for a blank or comment line.
    static std::string entryOf(const std::string& line);
};

} // namespace sorvane
