#include "EngineStrings.h"

#include <QTranslator>

#include <memory>
#include <mutex>

namespace sorvane {

namespace {

// Finders look texts up on the main thread and on the worker alike.
struct Table {
    std::mutex mutex;
    std::unique_ptr<QTranslator> translator;

    void load(const QLocale& locale) {
        auto chosen = std::make_unique<QTranslator>();
        if (!chosen->load(locale, QStringLiteral("engine"), QStringLiteral("_"),
                          QStringLiteral(":/sorvane/engine"))) {
            // The system may name only languages we lack; English is the fallback.
            if (!chosen->load(QStringLiteral("engine_en"), QStringLiteral(":/sorvane/engine"))) {
                chosen.reset();
            }
        }
        translator = std::move(chosen);
    }
};

Table& table() {
    static Table instance;
    return instance;
}

} // namespace

QString EngineStrings::text(const char* key) {
    Table& strings = table();
    const std::lock_guard lock(strings.mutex);
    if (!strings.translator) {
        strings.load(QLocale::system());
    }
    const QString found =
        strings.translator ? strings.translator->translate("Engine", key) : QString();
    return found.isEmpty() ? QString::fromUtf8(key) : found;
}

void EngineStrings::setLocale(const QLocale& locale) {
    Table& strings = table();
    const std::lock_guard lock(strings.mutex);
    strings.load(locale);
}

} // namespace sorvane
