#include "AppStrings.h"

#include "platform/text/StringTable.h"

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

QString AppStrings::plural(const char* key, std::int64_t count) {
    return table().text(key, count);
}

void AppStrings::setLocale(const QLocale& locale) {
    table().setLocale(locale);
}

} // namespace sorvane
