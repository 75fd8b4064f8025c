#include "TempHome.h"

#include <cerrno>
#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <stdexcept>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace sorvane::test {

namespace fs = std::filesystem;

namespace {

void makeParents(const std::string& path) {
    fs::create_directories(fs::path(path).parent_path());
}

// Gives back every permission the tests took away so that the tree can be removed.
void restorePermissions(const std::string& root) {
    std::error_code error;
    fs::permissions(root, fs::perms::owner_all, fs::perm_options::add, error);
    for (auto it = fs::recursive_directory_iterator(
             root, fs::directory_options::skip_permission_denied, error);
         it != fs::recursive_directory_iterator(); it.increment(error)) {
        if (error) {
            break;
        }
        if (it->is_directory(error) && !it->is_symlink(error)) {
            fs::permissions(it->path(), fs::perms::owner_all, fs::perm_options::add, error);
        }
    }
}

} // namespace

TempHome::TempHome() {
    if (const char* home = std::getenv("HOME")) { // NOLINT(concurrency-mt-unsafe)
        previousHome_ = home;
        hadHome_ = true;
    }
    std::vector<char> pattern{'/', 't', 'm', 'p', '/'};
    const std::string name = "sorvane-home-XXXXXX";
    pattern.insert(pattern.end(), name.begin(), name.end());
    pattern.push_back('\0');
    if (mkdtemp(pattern.data()) == nullptr) {
        throw std::runtime_error("cannot create a temporary home");
    }
    path_ = pattern.data();
    // Readable by everyone so that tests can run processes as another user inside it.
    chmod(path_.c_str(), 0755);
    setenv("HOME", path_.c_str(), 1); // NOLINT(concurrency-mt-unsafe)
}

TempHome::~TempHome() {
    if (hadHome_) {
        setenv("HOME", previousHome_.c_str(), 1); // NOLINT(concurrency-mt-unsafe)
    } else {
        unsetenv("HOME"); // NOLINT(concurrency-mt-unsafe)
    }
    restorePermissions(path_);
    std::error_code error;
    fs::remove_all(path_, error);
}

std::string TempHome::file(const std::string& relative, std::uint64_t size) const {
    const std::string path = pathOf(relative);
    makeParents(path);
    const int descriptor = open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (descriptor < 0) {
        throw std::runtime_error("cannot create " + path);
    }
    // Real bytes rather than a sparse file: logical sizes must not depend on how space is used.
    std::vector<char> block(65536, 'x');
    std::uint64_t left = size;
    while (left > 0) {
        const auto chunk = static_cast<std::size_t>(std::min<std::uint64_t>(left, block.size()));
        if (write(descriptor, block.data(), chunk) != static_cast<ssize_t>(chunk)) {
            close(descriptor);
            throw std::runtime_error("cannot write " + path);
        }
        left -= chunk;
    }
    close(descriptor);
    return path;
}

std::string TempHome::folder(const std::string& relative) const {
    const std::string path = pathOf(relative);
    fs::create_directories(path);
    return path;
}

std::string TempHome::link(const std::string& relative, const std::string& target) const {
    const std::string path = pathOf(relative);
    makeParents(path);
    fs::create_symlink(target, path);
    return path;
}

void TempHome::setMode(const std::string& relative, unsigned mode) const {
    if (chmod(pathOf(relative).c_str(), mode) != 0) {
        throw std::runtime_error("cannot change the mode of " + relative);
    }
}

void TempHome::chownAll(unsigned uid, unsigned gid) const {
    std::error_code error;
    lchown(path_.c_str(), uid, gid);
    for (auto it = fs::recursive_directory_iterator(path_, error);
         it != fs::recursive_directory_iterator(); it.increment(error)) {
        if (error) {
            break;
        }
        lchown(it->path().c_str(), uid, gid);
    }
}

bool exists(const std::string& path) {
    struct stat info {};
    return lstat(path.c_str(), &info) == 0;
}

std::string readFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

} // namespace sorvane::test
