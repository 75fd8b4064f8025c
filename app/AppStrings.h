#pragma once

#include <QLocale>
#include <QString>

#include <cstdint>

namespace sorvane {

// The application's string table, English and German; a key it lacks shows as the key.
class AppStrings {
public:
    AppStrings() = delete;

    static QString text(const char* key);
    // The plural form for count, "%n" replaced by it.
    static QString plural(const char* key, std::int64_t count);
    static void setLocale(const QLocale& locale);
};

} // namespace sorvane
