#pragma once

#include "SampleRandom.h"

#include <cstdint>
#include <string>

namespace sorvane::tools {

// Creates files, folders and links below a base folder, making missing parents, and counts
// the files it made. Throws std::runtime_error when the file system refuses.
class TreeWriter {
public:
    TreeWriter(std::string base, SampleRandom& random);

    const std::string& base() const { return base_; }
    std::string pathOf(const std::string& relative) const { return base_ + "/" + relative; }

    void folder(const std::string& relative) const;
    // A file of exactly size bytes: a few seeded bytes, the rest a hole, so that a million
    // files fit on a small disk while their logical sizes stay as given.
    void file(const std::string& relative, std::uint64_t size);
    void file(const std::string& relative, const std::string& bytes);
    void link(const std::string& relative, const std::string& target) const;
    // About count files in nested sub-folders of a folder, with cache-style names and sizes.
    void fill(const std::string& folder, std::uint64_t count);
    std::uint64_t filesMade() const { return files_; }

private:
    void parentsOf(const std::string& path) const;

    std::string base_;
    SampleRandom& random_;
    std::uint64_t files_ = 0;
};

} // namespace sorvane::tools
