#include "StringTable.h"

#include <algorithm>
#include <climits>

#include <QTranslator>

namespace sorvane {

StringTable::StringTable(QString context, QString name, QString folder)
    : context_(context.toUtf8())
    , name_(std::move(name))
    , folder_(std::move(folder)) {}

StringTable::~StringTable() = default;

void StringTable::load(const QLocale& locale) {
    auto chosen = std::make_unique<QTranslator>();
    locale_ = QLocale(QLocale::English);
    // The system may name only languages we lack; English stands in for them.
    if (chosen->load(locale, name_, QStringLiteral("_"), folder_)) {
        locale_ = QLocale(chosen->language());
    } else if (!chosen->load(name_ + QStringLiteral("_en"), folder_)) {
        chosen.reset();
    }
    translator_ = std::move(chosen);
    loaded_ = true;
}

QString StringTable::text(const char* key) {
    const std::lock_guard lock(mutex_);
    if (!loaded_) {
        load(QLocale::system());
    }
    const QString found =
        translator_ ? translator_->translate(context_.constData(), key) : QString();
    return found.isEmpty() ? QString::fromUtf8(key) : found;
}

QString StringTable::text(const char* key, std::int64_t count) {
    const std::lock_guard lock(mutex_);
    if (!loaded_) {
        load(QLocale::system());
    }
    const int form = static_cast<int>(std::min<std::int64_t>(count, INT_MAX));
    QString found =
        translator_ ? translator_->translate(context_.constData(), key, nullptr, form) : QString();
    if (found.isEmpty()) {
        found = QString::fromUtf8(key);
    }
    return found.replace(QStringLiteral("%n"), QString::number(count));
}

void StringTable::setLocale(const QLocale& locale) {
    const std::lock_guard lock(mutex_);
    load(locale);
}

QLocale StringTable::locale() {
    const std::lock_guard lock(mutex_);
    if (!loaded_) {
        load(QLocale::system());
    }
    return locale_;
}

} // namespace sorvane
