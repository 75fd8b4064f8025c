#pragma once

#include <QString>

#include <optional>
#include <string>
#include <string_view>

namespace sorvane {

// The installed desktop entry (a .desktop file) of an application, read for the name that menus
// show for it. It lives beside the places rather than with the desktop services because the
// searches, which are part of the core, name sandboxed applications by it.
class DesktopEntry {
public:
    DesktopEntry() = delete;

    // The unlocalised Name of the [Desktop Entry] group of the file; nothing when no regular
    // file lies there (links are not followed), it is larger than any desktop entry has reason
    // to be, or it names nothing.
    static std::optional<QString> name(const std::string& path);
    // The same from a file's text: the first Name key of the group, escapes undone, on one line.
    static std::optional<QString> nameIn(std::string_view text);
};

} // namespace sorvane
