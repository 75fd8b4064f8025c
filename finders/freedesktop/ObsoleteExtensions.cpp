#include "ObsoleteExtensions.h"

#include "FreedesktopBlocks.h"
#include "platform/fs/RegularFile.h"

#include <QByteArray>
#include <QJsonArray>
#include <QJsonDocument>
#include <QString>

#include <set>

namespace sorvane {

namespace {

bool isValidUtf8(std::string_view text) {
    // Decoding replaces every malformed sequence, so only valid text comes back unchanged.
    const QByteArray bytes(text.data(), static_cast<qsizetype>(text.size()));
    return QString::fromUtf8(bytes).toUtf8() == bytes;
}

bool isSpace(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\r';
}

// Reads the top-level members of text that is already known to be one well-formed JSON object.
// JSON object readers keep members sorted by key, so the file order needs a reading of its own.
class MemberScanner {
public:
    explicit MemberScanner(std::string_view text)
        : text_(text) {}

    struct Member {
        std::optional<std::string> key; // nothing when it names no text
        bool isTrue = false;
    };

    // Nothing when the text is not shaped as expected.
    std::optional<std::vector<Member>> members() {
        std::vector<Member> found;
        skipSpace();
        if (!take('{')) {
            return std::nullopt;
        }
        skipSpace();
        if (take('}')) {
            return found;
        }
        for (;;) {
            skipSpace();
            const auto key = stringToken();
            skipSpace();
            if (!key || !take(':')) {
                return std::nullopt;
            }
            skipSpace();
            const std::size_t valueStart = at_;
            if (!skipValue()) {
                return std::nullopt;
            }
            const auto decoded = decodeString(*key);
            std::string_view value = text_.substr(valueStart, at_ - valueStart);
            while (!value.empty() && isSpace(value.back())) {
                value.remove_suffix(1);
            }
            found.push_back({decoded, value == "true"});
            skipSpace();
            if (take('}')) {
                return found;
            }
            if (!take(',')) {
                return std::nullopt;
            }
        }
    }

private:
    void skipSpace() {
        while (at_ < text_.size() && isSpace(text_[at_])) {
            ++at_;
        }
    }

    bool take(char expected) {
        if (at_ < text_.size() && text_[at_] == expected) {
            ++at_;
            return true;
        }
        return false;
    }

    // A string token with its quotes, escapes left as they are.
    std::optional<std::string_view> stringToken() {
        const std::size_t start = at_;
        if (!take('"')) {
            return std::nullopt;
        }
        while (at_ < text_.size()) {
            const char c = text_[at_++];
            if (c == '\\') {
                ++at_;
            } else if (c == '"') {
                return text_.substr(start, at_ - start);
            }
        }
        return std::nullopt;
    }

    // Skips one value of any depth without recursion: only brackets outside strings count.
    bool skipValue() {
        std::size_t depth = 0;
        while (at_ < text_.size()) {
            const char c = text_[at_];
            if (c == '"') {
                if (!stringToken()) {
                    return false;
                }
            } else if (c == '{' || c == '[') {
                ++depth;
                ++at_;
            } else if (c == '}' || c == ']') {
                if (depth == 0) {
                    return true;
                }
                --depth;
                ++at_;
            } else if (c == ',' && depth == 0) {
                return true;
            } else {
                ++at_;
            }
            if (depth == 0 && (c == '"' || c == '}' || c == ']')) {
                // A whole string, object or array at the top level ends the value.
                skipSpace();
                return true;
            }
        }
        return depth == 0;
    }

    // The key's text, its escapes undone by the JSON reader itself.
    static std::optional<std::string> decodeString(std::string_view token) {
        const QByteArray wrapped =
            QByteArray("[") + QByteArray(token.data(), static_cast<qsizetype>(token.size())) + "]";
        QJsonParseError error{};
        const QJsonDocument document = QJsonDocument::fromJson(wrapped, &error);
        if (error.error != QJsonParseError::NoError || !document.isArray() ||
            !document.array().at(0).isString()) {
            return std::nullopt;
        }
        const QString key = document.array().at(0).toString();
        // An escaped lone surrogate names no character, let alone a folder.
        if (!QStringView(key).isValidUtf16()) {
            return std::nullopt;
        }
        return key.toUtf8().toStdString();
    }

    std::string_view text_;
    std::size_t at_ = 0;
};

bool isOneComponent(const std::string& key) {
    return !key.empty() && key != "." && key != ".." && key.find('/') == std::string::npos &&
           key.find('\0') == std::string::npos;
}

} // namespace

std::optional<std::vector<std::string>> ObsoleteExtensions::parse(std::string_view text) {
    if (!isValidUtf8(text)) {
        return std::nullopt;
    }
    QJsonParseError error{};
    const QJsonDocument document = QJsonDocument::fromJson(
        QByteArray(text.data(), static_cast<qsizetype>(text.size())), &error);
    if (error.error != QJsonParseError::NoError || !document.isObject()) {
        return std::nullopt;
    }
    const auto members = MemberScanner(text).members();
    if (!members) {
        return std::nullopt;
    }
    std::vector<std::string> obsolete;
    std::set<std::string> seen;
    for (const auto& member : *members) {
        if (!member.key) {
            continue;
        }
        // A key given twice leaves open which value was meant: the file is not trusted at all.
        if (!seen.insert(*member.key).second) {
            return std::nullopt;
        }
        if (member.isTrue) {
            obsolete.push_back(*member.key);
        }
    }
    return obsolete;
}

std::vector<Url> ObsoleteExtensions::in(const Url& extensionsFolder) {
    const auto text = RegularFile::read(extensionsFolder.appending(".obsolete").path(), sizeCap);
    if (!text) {
        return {};
    }
    const auto keys = parse(*text);
    if (!keys) {
        return {};
    }
    std::vector<Url> folders;
    for (const std::string& key : *keys) {
        if (!isOneComponent(key)) {
            continue;
        }
        const auto location = finder::existing(extensionsFolder.appending(key));
        if (location && location->isFolder()) {
            folders.push_back(*location);
        }
    }
    return folders;
}

} // namespace sorvane
