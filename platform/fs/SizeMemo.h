#pragma once

#include <cstdint>
#include <optional>
#include <sys/types.h>

namespace sorvane {

// The sizes of folders measured whole while a search runs, so that a folder measured as one
// item is not walked again inside a larger item that holds it (a browser's cache folder inside
// the user's caches). Folders are known by device and inode. The memo holds only while at
// least one search keeps a SizeMemo alive, and is emptied when the last one goes: sizes are a
// snapshot of one search, never carried into the next.
class SizeMemo {
public:
    SizeMemo();
    ~SizeMemo();
    SizeMemo(const SizeMemo&) = delete;
    SizeMemo& operator=(const SizeMemo&) = delete;

    static std::optional<std::uint64_t> lookup(dev_t device, ino_t inode);
    static void record(dev_t device, ino_t inode, std::uint64_t size);
};

} // namespace sorvane
