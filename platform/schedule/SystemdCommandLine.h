#pragma once

#include <optional>
#include <string>
#include <vector>

namespace sorvane {

// A command line as the service manager reads it in ExecStart=: words split at blanks, a word
// in double quotes with C escapes inside, "%" and "$" starting what the manager fills in. Any
// bytes, a path with blanks or quotes included, survive the round trip.
class SystemdCommandLine {
public:
    SystemdCommandLine() = delete;

    // The words written so that the service manager hands them to the program unchanged.
    static std::string join(const std::vector<std::string>& words);
    // The words the service manager would hand over; nothing when the text is not a command
    // line it accepts (an open quote, a lone "%", a bad escape).
    static std::optional<std::vector<std::string>> split(const std::string& text);
};

} // namespace sorvane
