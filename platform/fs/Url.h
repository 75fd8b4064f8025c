#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace sorvane {

// An absolute file location. The path is kept as raw bytes because file names need not be
// valid text. A folder mark travels with the location: the absolute text of a folder ends in
// "/", so a file and a folder at the same path are different locations, while path() is the
// same for both and never ends in "/" (except for the root itself).
class Url {
public:
    Url() = default;
    // Normalises the path: collapses repeated "/" and drops a trailing one. A relative path is
    // taken as relative to "/", so every Url is absolute.
    explicit Url(std::string_view path, bool isFolder = false);

    static Url folder(std::string_view path) { return Url(path, true); }

    const std::string& path() const { return path_; }
    bool isFolder() const { return isFolder_; }
    bool isEmpty() const { return path_.empty(); }
    // The path plus "/" for folders: what equality compares.
    std::string absoluteString() const;
    std::string lastPathComponent() const;
    // Text after the last "." of the last component, empty when there is none.
    std::string pathExtension() const;
    // The path without its last component; the root stays the root.
    Url deletingLastPathComponent() const;
    // Appends one component (which may itself hold "/"); the result carries the given mark.
    Url appending(std::string_view component, bool isFolder = false) const;
    // Appends each component as a folder, one after the other.
    Url appendingFolders(const std::vector<std::string>& components) const;

    friend bool operator==(const Url& a, const Url& b) {
        return a.absoluteString() == b.absoluteString();
    }
    friend bool operator<(const Url& a, const Url& b) {
        return a.absoluteString() < b.absoluteString();
    }

private:
    std::string path_;
    bool isFolder_ = false;
};

} // namespace sorvane
