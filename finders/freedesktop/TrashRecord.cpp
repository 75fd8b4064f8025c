#include "TrashRecord.h"

#include "platform/fs/RegularFile.h"

#include <QDateTime>
#include <QString>

namespace sorvane {

namespace {

// A record holds a path and a date; anything much larger is not one.
constexpr std::uint64_t recordLimit = 64 * 1024;

std::string_view trimmed(std::string_view text) {
    while (!text.empty() && (text.back() == '\r' || text.back() == ' ')) {
        text.remove_suffix(1);
    }
    return text;
}

} // namespace

std::optional<AgeLimit::Clock::time_point> TrashRecord::deletionDate(std::string_view text) {
    constexpr std::string_view key = "DeletionDate=";
    bool inGroup = false;
    std::optional<std::string_view> value;
    while (!text.empty()) {
        const std::size_t end = text.find('\n');
        const std::string_view line = trimmed(text.substr(0, end));
        text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
        if (line.starts_with('[')) {
            inGroup = line == "[Trash Info]";
        } else if (inGroup && line.starts_with(key) && !value) {
            value = line.substr(key.size());
        }
    }
    // The exact form, nothing else: a date with a zone or fractions is not one the trash writes.
    if (!value || value->size() != 19) {
        return std::nullopt;
    }
    const QDateTime date = QDateTime::fromString(
        QString::fromLatin1(value->data(), static_cast<qsizetype>(value->size())),
        QStringLiteral("yyyy-MM-ddTHH:mm:ss"));
    // A date still to come was written by a clock that was wrong; it tells nothing.
    if (!date.isValid() || date > QDateTime::currentDateTime()) {
        return std::nullopt;
    }
    return AgeLimit::Clock::time_point(std::chrono::milliseconds(date.toMSecsSinceEpoch()));
}

std::optional<AgeLimit::Clock::time_point> TrashRecord::deletionDateAt(const std::string& path) {
    const std::optional<std::string> text = RegularFile::read(path, recordLimit);
    if (!text) {
        return std::nullopt;
    }
    return deletionDate(*text);
}

} // namespace sorvane
