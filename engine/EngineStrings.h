#pragma once

#include <QLocale>
#include <QString>

namespace sorvane {

// The engine's string table: display texts looked up by key, in English or German. A key that
// the table lacks shows as the key itself.
class EngineStrings {
public:
    EngineStrings() = delete;

    static QString text(const char* key);
    // Chooses the table for the locale's language; English when there is none for it. Until
    // called, the system's locale decides.
    static void setLocale(const QLocale& locale);
};

} // namespace sorvane
