#pragma once

#include <QLocale>
#include <QString>

#include <cstdint>

namespace sorvane {

// The engine's string table: display texts looked up by key, in English or German. A key that
// the table lacks shows as the key itself.
class EngineStrings {
public:
    EngineStrings() = delete;

    static QString text(const char* key);
    // The text in the plural form the language uses for count, "%n" replaced by it.
    static QString text(const char* key, std::int64_t count);
    // The locale of the texts: the chosen language when the table has it, else English.
    static QLocale locale();
    // Chooses the table for the locale's language; English when there is none for it. Until
    // called, the system's locale decides.
    static void setLocale(const QLocale& locale);
};

} // namespace sorvane
