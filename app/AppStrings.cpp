#include "AppStrings.h"

#include "platform/StringTable.h"

namespace sorvane {

namespace {

StringTable& table() {
    static StringTable instance(QStringLiteral("App"), QStringLiteral("app"),
                                QStringLiteral(":/sorvane/app"));
    return instance;
}

} // namespace

QString AppStrings::text(const char* key) {
    return table().text(key);
}

void AppStrings::setLocale(const QLocale& locale) {
    table().setLocale(locale);
}

} // namespace sorvane
