#pragma once

#include "TreeWriter.h"
#include "platform/fs/Url.h"

#include <QTemporaryDir>

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace sorvane::test {

// A temporary home folder two levels deep (/tmp/sorvane-home-XXXXXX) with HOME pointing at it
// for the fixture's lifetime. Every helper takes a path relative to the home and creates the
// missing parent folders.
class TempHome {
public:
    TempHome();
    ~TempHome();
    TempHome(const TempHome&) = delete;
    TempHome& operator=(const TempHome&) = delete;

    const std::string& path() const { return path_; }
    std::string pathOf(const std::string& relative) const { return path_ + "/" + relative; }
    Url url(const std::string& relative, bool isFolder = false) const {
        return Url(pathOf(relative), isFolder);
    }

    // A file of exactly size bytes; returns its absolute path.
    std::string file(const std::string& relative, std::uint64_t size = 0) const;
    std::string folder(const std::string& relative) const;
    // A symbolic link at relative pointing at target (taken as is: absolute or relative).
    std::string link(const std::string& relative, const std::string& target) const;
    // Sets the permission bits of an existing entry.
    void setMode(const std::string& relative, unsigned mode) const;
    // A Go module cache at relative as Go leaves it, every folder 0555 and every file 0444 (links
    // already there untouched); returns its absolute path.
    std::string goModuleCache(const std::string& relative) const;
    // Hands the whole home to the given user, so that a process running as that user owns it.
    void chownAll(unsigned uid, unsigned gid) const;

private:
    tools::SampleRandom random_{1};
    std::string path_;
    // Writes the tree; the file counter it keeps is of no interest to tests.
    mutable tools::TreeWriter tree_;
    std::string previousHome_;
    bool hadHome_ = false;
};

// A new folder /tmp/<prefix>-XXXXXX that every user may read, so that tests can run processes
// as another user inside it.
std::string makeTemporaryFolder(const std::string& prefix);
bool exists(const std::string& path); // lstat: links count as themselves
std::string readFile(const std::string& path);

// A folder outside every home, for what an attacker's links point at.
class OutsideFolder : public QTemporaryDir {
public:
    OutsideFolder()
        : QTemporaryDir(QStringLiteral("/tmp/sorvane-victim-XXXXXX")) {
        std::filesystem::permissions(path(), std::filesystem::perms(0755));
    }
    std::string path() const { return QTemporaryDir::path().toStdString(); }
    std::string pathOf(const std::string& relative) const { return path() + "/" + relative; }
};

// Every entry below the folder as "relative path|type|size|link target", sorted.
std::vector<std::string> describeTree(const std::string& folder);

} // namespace sorvane::test
