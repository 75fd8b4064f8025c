#pragma once

#include "FreedesktopFolders.h"

#include <optional>
#include <string>
#include <string_view>
#include <variant>

namespace sorvane {

// How the home being cleaned is laid out: a macOS account (<home>/Library/...) or a Linux desktop
// following the freedesktop conventions (XDG base folders, the freedesktop trash).
enum class LayoutKind {
    macos,
    freedesktop,
};

// The layout of this process, fixed once before the engine is built. Choosing it also makes the
// layout's home and base folders the anchors that every location is reached from.
class Layout {
public:
    Layout() = delete;

    // The layout in use. Unless choose() came first, the first call decides: SORVANE_LAYOUT when
    // it names a layout, else the automatic choice; a value that names none is reported in one
    // line on standard error and the automatic choice is taken.
    static LayoutKind current();
    // The freedesktop home and base folders as they were when the layout was chosen; empty in
    // the macOS layout and when the home cannot be used.
    static FreedesktopFolders freedesktopFolders();
    // The home of the layout in use, as a path: the freedesktop home, or the macOS user folder.
    static std::string home();

    // Fixes the layout for the rest of the process; the freedesktop folders come from the
    // environment as it is now, or are given. The system root is taken as it is now too.
    static void choose(LayoutKind kind);
    static void choose(LayoutKind kind, const FreedesktopFolders& folders);

    // macos when the macOS home folder (the first two pieces of $HOME) holds a Library folder,
    // otherwise freedesktop.
    static LayoutKind automatic();
    // What SORVANE_LAYOUT asks for: nothing when it is unset or empty, the layout it names, or
    // the one-line reason it names none.
    static std::variant<std::monostate, LayoutKind, std::string> fromVariable();

    static std::optional<LayoutKind> named(std::string_view name);
    static const char* name(LayoutKind kind);
};

} // namespace sorvane
