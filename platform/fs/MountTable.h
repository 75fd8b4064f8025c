#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace sorvane {

// Where the file systems are mounted, as this process sees them (its mountinfo), so that a
// file system can be named by a folder the user knows rather than by its device number.
class MountTable {
public:
    MountTable() = delete;

    // The mount point of the file system with the device number: of its mounts, the one of
    // its root folder, the shortest path among several; nothing when none is listed.
    static std::optional<std::string> mountPointOf(std::uint64_t device);
    // The same, looked up in the text of a mountinfo file.
    static std::optional<std::string> mountPointIn(const std::string& mountinfo,
                                                   std::uint64_t device);
};

} // namespace sorvane
