#include "TempHome.h"

#include "platform/journal/CleaningJournal.h"
#include "platform/keep/KeepListFile.h"

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <stdexcept>
#include <sys/stat.h>
#include <unistd.h>

namespace sorvane::test {

namespace fs = std::filesystem;

namespace {

// Visits the root and everything below it that can be reached, links as themselves.
void forEachEntry(const std::string& root, const std::function<void(const fs::path&)>& visit) {
    std::error_code error;
    visit(root);
    for (auto it = fs::recursive_directory_iterator(
             root, fs::directory_options::skip_permission_denied, error);
         !error && it != fs::recursive_directory_iterator(); it.increment(error)) {
        visit(it->path());
    }
}

} // namespace

TempHome::TempHome()
    : path_(makeTemporaryFolder("sorvane-home"))
    , tree_(path_, random_) {
    if (const char* home = std::getenv("HOME")) { // NOLINT(concurrency-mt-unsafe)
        previousHome_ = home;
        hadHome_ = true;
    }
    setenv("HOME", path_.c_str(), 1); // NOLINT(concurrency-mt-unsafe)
    // The user's own keep list must neither shape nor see a test.
    KeepListFile::useLocation(pathOf(".config/Sorvane/keep.list"));
    CleaningJournal::useFolder(pathOf(".local/state/sorvane"));
}

TempHome::~TempHome() {
    KeepListFile::useLocation({});
    CleaningJournal::useFolder({});
    if (hadHome_) {
        setenv("HOME", previousHome_.c_str(), 1); // NOLINT(concurrency-mt-unsafe)
    } else {
        unsetenv("HOME"); // NOLINT(concurrency-mt-unsafe)
    }
    // Gives back every permission the tests took away so that the tree can be removed.
    std::error_code error;
    forEachEntry(path_, [&](const fs::path& entry) {
        if (fs::is_directory(fs::symlink_status(entry, error))) {
            fs::permissions(entry, fs::perms::owner_all, fs::perm_options::add, error);
        }
    });
    fs::remove_all(path_, error);
}

std::string TempHome::file(const std::string& relative, std::uint64_t size) const {
    tree_.file(relative, size);
    return pathOf(relative);
}

std::string TempHome::folder(const std::string& relative) const {
    tree_.folder(relative);
    return pathOf(relative);
}

std::string TempHome::link(const std::string& relative, const std::string& target) const {
    tree_.link(relative, target);
    return pathOf(relative);
}

void TempHome::setMode(const std::string& relative, unsigned mode) const {
    if (chmod(pathOf(relative).c_str(), mode) != 0) {
        throw std::runtime_error("cannot change the mode of " + relative);
    }
}

std::string TempHome::goModuleCache(const std::string& relative) const {
    const std::string modules = relative + "/pkg/mod/";
    file(modules + "cache/download/golang.org/x/text/@v/v0.14.0.zip", 4096);
    file(modules + "cache/download/golang.org/x/text/@v/list", 8);
    file(modules + "golang.org/x/text@v0.14.0/LICENSE", 1479);
    file(modules + "golang.org/x/text@v0.14.0/unicode/norm/normalize.go", 2048);
    forEachEntry(pathOf(relative), [](const fs::path& entry) {
        struct stat info {};
        if (lstat(entry.c_str(), &info) == 0 && !S_ISLNK(info.st_mode)) {
            chmod(entry.c_str(), S_ISDIR(info.st_mode) ? 0555 : 0444);
        }
    });
    return pathOf(relative);
}

void TempHome::chownAll(unsigned uid, unsigned gid) const {
    forEachEntry(path_, [&](const fs::path& entry) { lchown(entry.c_str(), uid, gid); });
}

std::string makeTemporaryFolder(const std::string& prefix) {
    std::string pattern = "/tmp/" + prefix + "-XXXXXX";
    if (mkdtemp(pattern.data()) == nullptr) {
        throw std::runtime_error("cannot create a temporary folder for " + prefix);
    }
    chmod(pattern.c_str(), 0755);
    return pattern;
}

bool exists(const std::string& path) {
    struct stat info {};
    return lstat(path.c_str(), &info) == 0;
}

std::string readFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

std::vector<std::string> describeTree(const std::string& folder) {
    std::vector<std::string> lines;
    forEachEntry(folder, [&](const fs::path& entry) {
        struct stat info {};
        if (entry == folder || lstat(entry.c_str(), &info) != 0) {
            return;
        }
        std::string line = entry.string().substr(folder.size()) + "|" +
                           std::to_string(info.st_mode & S_IFMT) + "|";
        if (S_ISLNK(info.st_mode)) {
            line += fs::read_symlink(entry).string();
        } else if (S_ISREG(info.st_mode)) {
            // The first bytes are what the generator writes; the rest is a hole.
            std::ifstream in(entry, std::ios::binary);
            std::string head(256, '\0');
            head.resize(static_cast<std::size_t>(in.read(head.data(), 256).gcount()));
            line +=
                std::to_string(info.st_size) + "|" + std::to_string(std::hash<std::string>{}(head));
        }
        lines.push_back(line);
    });
    std::sort(lines.begin(), lines.end());
    return lines;
}

} // namespace sorvane::test
