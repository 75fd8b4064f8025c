#pragma once

#include <cstdint>
#include <map>

namespace sorvane {

// Space given back to file systems by removals: the allocated size of every file and folder
// whose last link went, per file system (by device number), so that a hard-linked file counts
// once and a file that keeps a link elsewhere counts nothing.
class FreedSpace {
public:
    void add(std::uint64_t device, std::uint64_t bytes);
    void add(const FreedSpace& other);
    std::uint64_t total() const;
    // Bytes by device number, only devices where something was freed.
    const std::map<std::uint64_t, std::uint64_t>& byDevice() const { return byDevice_; }

private:
    std::map<std::uint64_t, std::uint64_t> byDevice_;
};

} // namespace sorvane
