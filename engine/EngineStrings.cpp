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

void EngineStrings::setLocale(const QLocale& locale) {
    table().setLocale(locale);
}

} // namespace sorvane
