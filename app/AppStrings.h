#pragma once

#include <QLocale>
#include <QString>

namespace sorvane {

// The application's string table, English and German; a key it lacks shows as the key.
class AppStrings {
public:
    AppStrings() = delete;

    static QString text(const char* key);
    static void setLocale(const QLocale& locale);
};

} // namespace sorvane
