// Feeds arbitrary text to the reader of an editor's .obsolete file, and checks what it returns
// against Qt's own JSON reader: the same keys marked true, each once. The reader may refuse a
// file Qt reads only for a key given twice, so Qt's own rewriting of any object it reads, where
// every key is unique, must be read too.

#include "finders/freedesktop/ObsoleteExtensions.h"

#include <QByteArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSet>
#include <QString>

#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

namespace {

// Whether every key of the object names text, so that distinct keys stay distinct in UTF-8.
bool keysAreText(const QJsonObject& object) {
    for (auto member = object.begin(); member != object.end(); ++member) {
        if (!QStringView(member.key()).isValidUtf16()) {
            return false;
        }
    }
    return true;
}

// Checks the reader on the text, and returns the object Qt reads from it, if any.
QJsonDocument check(const QByteArray& bytes, bool mustRead) {
    const auto keys =
        sorvane::ObsoleteExtensions::parse(std::string_view(bytes.constData(), bytes.size()));
    QJsonParseError error{};
    const QJsonDocument document = QJsonDocument::fromJson(bytes, &error);
    const bool qtReads = error.error == QJsonParseError::NoError && document.isObject() &&
                         QString::fromUtf8(bytes).toUtf8() == bytes;
    if (!keys) {
        if (mustRead && qtReads && keysAreText(document.object())) {
            std::abort();
        }
        return qtReads ? document : QJsonDocument();
    }
    if (!qtReads) {
        std::abort();
    }
    const QJsonObject object = document.object();
    QSet<QString> returned;
    for (const std::string& key : *keys) {
        const QByteArray utf8(key.data(), static_cast<qsizetype>(key.size()));
        const QString name = QString::fromUtf8(utf8);
        // Text that survives the trip, given once, that the object marks true.
        if (name.toUtf8() != utf8 || returned.contains(name) ||
            object.value(name) != QJsonValue(true)) {
            std::abort();
        }
        returned.insert(name);
    }
    // And every key the object marks true that names text at all.
    for (auto member = object.begin(); member != object.end(); ++member) {
        if (member.value() == QJsonValue(true) && QStringView(member.key()).isValidUtf16() &&
            !returned.contains(member.key())) {
            std::abort();
        }
    }
    return document;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    const QJsonDocument document = check(bytes, false);
    if (document.isObject()) {
        check(document.toJson(QJsonDocument::Indented), true);
    }
    return 0;
}
