#include "CleaningJournal.h"

#include "platform/fs/Anchor.h"
#include "platform/fs/FileReplacement.h"
#include "platform/fs/FsLog.h"

#include <QJsonDocument>
#include <QJsonObject>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <mutex>
#include <sys/stat.h>
#include <unistd.h>

namespace sorvane {

namespace {

constexpr const char* fileName = "journal.jsonl";
constexpr int folderFlags = O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC;

struct Place {
    std::mutex mutex;
    std::string folder;
};

Place& place() {
    static Place instance;
    return instance;
}

std::string now() {
    return QDateTime::currentDateTimeUtc().toString(Qt::ISODate).toStdString();
}

std::string readAll(int folder, const char* name) {
    const FileDescriptor file =
        FileDescriptor::adopt(openat(folder, name, O_RDONLY | O_NOFOLLOW | O_CLOEXEC));
    std::string text;
    char buffer[65536];
    for (ssize_t count = 0; file.isOpen();) {
        count = ::read(file.get(), buffer, sizeof buffer);
        if (count < 0 && errno == EINTR) {
            continue;
        }
        if (count <= 0) {
            break;
        }
        text.append(buffer, static_cast<std::size_t>(count));
    }
    return text;
}

// The newest whole cleanings of the text that fit in limit bytes, oldest first; lines are
// grouped by the cleaning they name, in the order the cleanings began.
std::string newestCleanings(const std::string& text, std::uint64_t limit) {
    std::vector<std::pair<std::string, std::string>> cleanings; // id, its lines
    for (std::size_t at = 0; at < text.size();) {
        const std::size_t end = std::min(text.find('\n', at), text.size());
        const std::string line = text.substr(at, end - at);
        at = end + 1;
        const auto decoded = CleaningJournal::decode(line);
        if (!decoded) {
            continue;
        }
        if (cleanings.empty() || cleanings.back().first != decoded->cleaning) {
            cleanings.emplace_back(decoded->cleaning, std::string());
        }
        cleanings.back().second += line + "\n";
    }
    std::size_t first = cleanings.size();
    std::uint64_t size = 0;
    while (first > 0 && size + cleanings[first - 1].second.size() <= limit) {
        size += cleanings[--first].second.size();
    }
    std::string kept;
    for (std::size_t i = first; i < cleanings.size(); ++i) {
        kept += cleanings[i].second;
    }
    return kept;
}

} // namespace

CleaningJournal::CleaningJournal(std::string layout)
    : layout_(std::move(layout))
    , cleaning_(now() + "-" + std::to_string(getpid())) {
    trim();
}

std::string CleaningJournal::folder() {
    {
        const std::lock_guard lock(place().mutex);
        if (!place().folder.empty()) {
            return place().folder;
        }
    }
    const char* state = std::getenv("XDG_STATE_HOME"); // NOLINT(concurrency-mt-unsafe)
    if (state != nullptr && state[0] == '/') {
        std::string folder(state);
        while (folder.size() > 1 && folder.back() == '/') {
            folder.pop_back();
        }
        return folder + "/sorvane";
    }
    const char* home = std::getenv("HOME"); // NOLINT(concurrency-mt-unsafe)
    return std::string(home != nullptr ? home : "") + "/.local/state/sorvane";
}

void CleaningJournal::useFolder(std::string folder) {
    const std::lock_guard lock(place().mutex);
    place().folder = std::move(folder);
}

std::string CleaningJournal::path() {
    return folder() + "/" + fileName;
}

JournalLock CleaningJournal::hold() {
    const FileDescriptor folder = Anchor::openFolderMaking(CleaningJournal::folder());
    return JournalLock::take(folder.get(), JournalLock::Mode::exclusive);
}

bool CleaningJournal::record(const std::string& category, const std::string& location,
                             std::uint64_t bytes, bool removed, const std::string& reason,
                             const std::string& message) {
    const JournalLine line{now(), cleaning_, layout_, category, location,
                           bytes, removed,   reason,  message};
    const std::string text = encode(line) + "\n";
    const FileDescriptor folder = Anchor::openFolderMaking(CleaningJournal::folder());
    const JournalLock lock = JournalLock::take(folder.get(), JournalLock::Mode::shared);
    FileDescriptor file =
        folder.isOpen() ? FileDescriptor::adopt(
                              openat(folder.get(), fileName,
                                     O_WRONLY | O_APPEND | O_CREAT | O_NOFOLLOW | O_CLOEXEC, 0600))
                        : FileDescriptor(-1, folder.error());
    // One write per line: an append of one write is never interleaved with another, and a
    // process killed between two lines leaves only whole ones.
    const ssize_t written =
        file.isOpen() ? ::write(file.get(), text.data(), text.size()) : ssize_t{-1};
    if (written == static_cast<ssize_t>(text.size())) {
        return true;
    }
    const int error = file.isOpen() ? (written < 0 ? errno : EIO) : file.error();
    if (!complained_) {
        complained_ = true;
        qCWarning(fsLog).noquote() << QString::fromStdString(path()) << ":"
                                   << std::strerror(error); // NOLINT(concurrency-mt-unsafe)
    }
    return false;
}

void CleaningJournal::trim() {
    const FileDescriptor folder = Anchor::open(Url::folder(CleaningJournal::folder()), folderFlags);
    struct stat info {};
    if (!folder.isOpen() || fstatat(folder.get(), fileName, &info, AT_SYMLINK_NOFOLLOW) != 0 ||
        static_cast<std::uint64_t>(info.st_size) <= capBytes) {
        return;
    }
    const JournalLock lock = JournalLock::take(folder.get(), JournalLock::Mode::exclusive);
    if (!lock.held()) {
        return;
    }
    // Read under the lock: another cleaning that trimmed meanwhile left a file to trim no more.
    const std::string kept = newestCleanings(readAll(folder.get(), fileName), trimmedBytes);
    // A journal that cannot be trimmed stays as it is; the next cleaning tries again.
    FileReplacement::replace(folder.get(), fileName, kept, 0600);
}

std::vector<JournalLine> CleaningJournal::read(const QDateTime& since) {
    const FileDescriptor folder = Anchor::open(Url::folder(CleaningJournal::folder()), folderFlags);
    if (!folder.isOpen()) {
        return {};
    }
    const std::string text = readAll(folder.get(), fileName);
    std::vector<JournalLine> lines;
    for (std::size_t at = 0; at < text.size();) {
        const std::size_t end = std::min(text.find('\n', at), text.size());
        auto line = decode(text.substr(at, end - at));
        at = end + 1;
        if (!line) {
            continue;
        }
        const QDateTime time =
            QDateTime::fromString(QString::fromStdString(line->time), Qt::ISODate);
        if (!since.isValid() || time >= since) {
            lines.push_back(std::move(*line));
        }
    }
    return lines;
}

std::string CleaningJournal::encode(const JournalLine& line) {
    const QJsonObject object{
        {"time", QString::fromStdString(line.time)},
        {"cleaning", QString::fromStdString(line.cleaning)},
        {"layout", QString::fromStdString(line.layout)},
        {"category", QString::fromStdString(line.category)},
        {"location", QString::fromStdString(line.location)},
        // A double holds every size below 2^53 bytes exactly.
        {"bytes", static_cast<double>(line.bytes)},
        {"result", line.removed ? "removed" : "remaining"},
        {"reason", QString::fromStdString(line.reason)},
        {"message", QString::fromStdString(line.message)},
    };
    return QJsonDocument(object).toJson(QJsonDocument::Compact).toStdString();
}

std::optional<JournalLine> CleaningJournal::decode(const std::string& text) {
    QJsonParseError error{};
    const QJsonDocument document = QJsonDocument::fromJson(QByteArray::fromStdString(text), &error);
    if (error.error != QJsonParseError::NoError || !document.isObject()) {
        return std::nullopt;
    }
    const QJsonObject object = document.object();
    const auto text_ = [&](const char* key) { return object.value(key).toString().toStdString(); };
    const QString result = object.value("result").toString();
    if (!object.value("time").isString() || !object.value("bytes").isDouble() ||
        (result != "removed" && result != "remaining")) {
        return std::nullopt;
    }
    return JournalLine{
        text_("time"),       text_("cleaning"),
        text_("layout"),     text_("category"),
        text_("location"),   static_cast<std::uint64_t>(object.value("bytes").toDouble()),
        result == "removed", text_("reason"),
        text_("message")};
}

} // namespace sorvane
