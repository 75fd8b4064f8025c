#pragma once

#include "FileDescriptor.h"

#include <cstdint>
#include <optional>
#include <string>

namespace sorvane {

// Reads small files that other programs put into bundles (information files, icons). Only a
// regular file is ever read: a pipe, a device or a socket under such a name would make a plain
// read wait forever or return endless bytes, and no link on the way is followed.
class RegularFile {
public:
    RegularFile() = delete;

    // Which file a location holds and which version of it: changes when the file is replaced
    // or written.
    struct Identity {
        std::uint64_t device = 0;
        std::uint64_t inode = 0;
        std::int64_t modifiedSeconds = 0;
        std::int64_t modifiedNanoseconds = 0;
        std::uint64_t size = 0;

        bool operator==(const Identity&) const = default;
    };

    // The whole file; nothing when it is not a regular file, cannot be read or holds more than
    // limit bytes.
    static std::optional<std::string> read(const std::string& path, std::uint64_t limit);
    // The first count bytes, fewer when the file is shorter; nothing when it is not a regular
    // file or cannot be read.
    static std::optional<std::string> readHead(const std::string& path, std::size_t count);
    // Nothing when no regular file is there.
    static std::optional<Identity> identity(const std::string& path);

private:
    // The entry at path open for reading. The single place where a location becomes an open
    // file for reading.
    static FileDescriptor openForReading(const std::string& path);
};

} // namespace sorvane
