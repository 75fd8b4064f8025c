#include "KeepListFile.h"

#include "platform/fs/Anchor.h"
#include "platform/fs/FileReplacement.h"

#include <QStandardPaths>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <mutex>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>
#include <unordered_set>

namespace sorvane {

namespace {

constexpr const char* fileName = "keep.list";
constexpr const char* lockName = "keep.list.lock";

struct Place {
    std::mutex mutex;
    std::string path;
};

Place& place() {
    static Place instance;
    return instance;
}

std::string folderOf(const std::string& path) {
    return path.substr(0, path.rfind('/'));
}

std::string describe(const std::string& where, int error) {
    return where + ": " + std::strerror(error);
}

// The whole file, or the errno value reading it failed with; ENOENT when there is none.
std::pair<std::string, int> readAll(int folder) {
    const FileDescriptor file =
        FileDescriptor::adopt(openat(folder, fileName, O_RDONLY | O_NOFOLLOW | O_CLOEXEC));
    if (!file.isOpen()) {
        return {{}, file.error()};
    }
    std::string text;
    char buffer[8192];
    for (;;) {
        const ssize_t count = ::read(file.get(), buffer, sizeof buffer);
        if (count < 0 && errno == EINTR) {
            continue;
        }
        if (count < 0) {
            return {{}, errno};
        }
        if (count == 0) {
            return {text, 0};
        }
        text.append(buffer, static_cast<std::size_t>(count));
    }
}

std::vector<std::string> linesOf(const std::string& text) {
    std::vector<std::string> lines;
    std::size_t at = 0;
    while (at < text.size()) {
        const std::size_t end = std::min(text.find('\n', at), text.size());
        lines.push_back(text.substr(at, end - at));
        at = end + 1;
    }
    return lines;
}

} // namespace

std::string KeepListFile::location() {
    {
        const std::lock_guard lock(place().mutex);
        if (!place().path.empty()) {
            return place().path;
        }
    }
    // Beside the settings file, which the settings store keeps in the Sorvane folder.
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation).toStdString() +
           "/Sorvane/" + fileName;
}

void KeepListFile::useLocation(std::string path) {
    const std::lock_guard lock(place().mutex);
    place().path = std::move(path);
}

std::string KeepListFile::entryOf(const std::string& line) {
    std::string entry = line;
    for (std::size_t at = entry.find('#'); at != std::string::npos; at = entry.find('#', at + 1)) {
        if (at == 0 || entry[at - 1] == ' ' || entry[at - 1] == '\t') {
            entry.erase(at);
            break;
        }
    }
    const auto blank = [](char c) { return c == ' ' || c == '\t' || c == '\r'; };
    while (!entry.empty() && blank(entry.back())) {
        entry.pop_back();
    }
    const auto first = std::find_if_not(entry.begin(), entry.end(), blank);
    return {first, entry.end()};
}

KeepListFile::Lines KeepListFile::read() {
    const std::string path = location();
    const FileDescriptor folder = Anchor::open(Url::folder(folderOf(path)), O_RDONLY | O_DIRECTORY);
    if (!folder.isOpen()) {
        return {{}, folder.error() == ENOENT ? 0 : folder.error()};
    }
    const auto [text, error] = readAll(folder.get());
    Lines lines{{}, error == ENOENT ? 0 : error};
    for (const auto& line : linesOf(text)) {
        if (std::string entry = entryOf(line); !entry.empty()) {
            lines.entries.push_back(std::move(entry));
        }
    }
    return lines;
}

std::optional<std::string> KeepListFile::change(const std::vector<std::string>& add,
                                                const std::vector<std::string>& remove) {
    const std::string path = location();
    const std::string folderPath = folderOf(path);
    const FileDescriptor folder = Anchor::openFolderMaking(folderPath);
    if (!folder.isOpen()) {
        return describe(folderPath, folder.error());
    }
    const FileDescriptor lock = FileDescriptor::adopt(
        openat(folder.get(), lockName, O_RDWR | O_CREAT | O_NOFOLLOW | O_CLOEXEC, 0600));
    if (!lock.isOpen()) {
        return describe(folderPath + "/" + lockName, lock.error());
    }
    while (flock(lock.get(), LOCK_EX) != 0) {
        if (errno != EINTR) {
            return describe(folderPath + "/" + lockName, errno);
        }
    }
    // From here on nobody else changes the list: what is read is what is stored.
    const auto [text, error] = readAll(folder.get());
    if (error != 0 && error != ENOENT) {
        return describe(path, error);
    }
    std::vector<std::string> lines = linesOf(text);
    std::erase_if(lines, [&](const std::string& line) {
        const std::string entry = entryOf(line);
        return !entry.empty() && std::find(remove.begin(), remove.end(), entry) != remove.end();
    });
    // Keeping a category adds an entry per location: thousands must not cost a comparison each
    // with every line.
    std::unordered_set<std::string> stored;
    for (const auto& line : lines) {
        stored.insert(entryOf(line));
    }
    for (const auto& entry : add) {
        if (!entry.empty() && stored.insert(entry).second) {
            lines.push_back(entry);
        }
    }
    std::string updated;
    for (const auto& line : lines) {
        updated += line + "\n";
    }
    if (const int failed = FileReplacement::replace(folder.get(), fileName, updated, 0600);
        failed != 0) {
        return describe(path, failed);
    }
    return std::nullopt;
}

} // namespace sorvane
