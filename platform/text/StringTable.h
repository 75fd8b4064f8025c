#pragma once

#include <QLocale>
#include <QString>

#include <cstdint>
#include <memory>
#include <mutex>

class QTranslator;

namespace sorvane {

// Display texts looked up by key in a compiled Qt Linguist table embedded as a resource
// (<folder>/<name>_<language>.qm), in the chosen language or else in English. A key the table
// lacks shows as the key itself. Safe to use from several threads.
class StringTable {
public:
    StringTable(QString context, QString name, QString folder);
    ~StringTable();
    StringTable(const StringTable&) = delete;
    StringTable& operator=(const StringTable&) = delete;

    QString text(const char* key);
    // The text in the plural form the language uses for count, with "%n" replaced by it.
    QString text(const char* key, std::int64_t count);
    // Until called, the system's locale decides.
    void setLocale(const QLocale& locale);
    // The locale of the texts the table gives: the chosen one when the table has its language,
    // else English.
    QLocale locale();

private:
    void load(const QLocale& locale);

    const QByteArray context_;
    const QString name_;
    const QString folder_;
    std::mutex mutex_;
    std::unique_ptr<QTranslator> translator_;
    bool loaded_ = false;
    QLocale locale_{QLocale::English};
};

} // namespace sorvane
