#include "DesktopEntry.h"

#include "platform/fs/RegularFile.h"

#include <QStringDecoder>

namespace sorvane {

namespace {

// Desktop entries are a few kilobytes; translations into every language stay well below this.
constexpr std::uint64_t sizeLimit = 256 * 1024;

std::string_view trimmed(std::string_view text) {
    const auto first = text.find_first_not_of(" \t");
    if (first == std::string_view::npos) {
        return {};
    }
    return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

// A name is shown on one line, so the escaped line breaks and tabs become spaces.
std::string unescaped(std::string_view value) {
    std::string out;
    for (std::size_t i = 0; i < value.size(); ++i) {
        if (value[i] != '\\' || i + 1 == value.size()) {
            out += value[i];
            continue;
        }
        const char next = value[++i];
        out += next == '\\'                                                 ? '\\'
               : (next == 's' || next == 'n' || next == 't' || next == 'r') ? ' '
                                                                            : next;
    }
    return out;
}

} // namespace

std::optional<QString> DesktopEntry::name(const std::string& path) {
    const auto text = RegularFile::read(path, sizeLimit);
    return text ? nameIn(*text) : std::nullopt;
}

std::optional<QString> DesktopEntry::nameIn(std::string_view text) {
    bool inEntryGroup = false;
    while (!text.empty()) {
        const auto end = std::min(text.find('\n'), text.size());
        std::string_view line = text.substr(0, end);
        text.remove_prefix(std::min(end + 1, text.size()));
        if (line.ends_with('\r')) {
            line.remove_suffix(1);
        }
        if (line.starts_with('[')) {
            inEntryGroup = trimmed(line) == "[Desktop Entry]";
            continue;
        }
        const auto equals = line.find('=');
        if (!inEntryGroup || line.starts_with('#') || equals == std::string_view::npos ||
            trimmed(line.substr(0, equals)) != "Name") {
            continue;
        }
        const std::string value(trimmed(unescaped(line.substr(equals + 1))));
        QStringDecoder decoder(QStringDecoder::Utf8);
        const QString name = decoder.decode(QByteArrayView(value.data(), value.size()));
        // A name that is not text, or is empty, names nothing; the application's id serves.
        if (decoder.hasError() || name.isEmpty()) {
            return std::nullopt;
        }
        return name;
    }
    return std::nullopt;
}

} // namespace sorvane
