#include "EngineStrings.h"

#include "platform/text/StringTable.h"

namespace sorvane {

namespace {

StringTable& table() {
    static StringTable instance(QStringLiteral("Engine"), QStringLiteral("engine"),
                                QStringLiteral(":/sorvane/engine"));
    return instance;
}

} // namespace

QString EngineStrings::text(const char* key) {
    return table().text(key);
}

QString EngineStrings::text(const char* key, std::int64_t count) {
    return table().text(key, count);
}

QLocale EngineStrings::locale() {
    return table().locale();
}

void EngineStrings::setLocale(const QLocale& locale) {
    table().setLocale(locale);
}

} // namespace sorvane
