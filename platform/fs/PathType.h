#pragma once

namespace sorvane {

// What lies at a path, links followed: nothing, a non-folder, or a folder.
enum class PathType {
    invalid,
    file,
    directory,
};

} // namespace sorvane
