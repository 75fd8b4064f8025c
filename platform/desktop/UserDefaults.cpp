#include "UserDefaults.h"

#include <QSettings>

#include <memory>
#include <mutex>

namespace sorvane {

namespace {

struct Store {
    std::mutex mutex;
    QString file;

    std::unique_ptr<QSettings> open() const {
        if (file.isEmpty()) {
            return std::make_unique<QSettings>(QStringLiteral("Sorvane"),
                                               QStringLiteral("Sorvane"));
        }
        return std::make_unique<QSettings>(file, QSettings::IniFormat);
    }
};

Store& store() {
    static Store instance;
    return instance;
}

} // namespace

std::optional<QVariant> UserDefaults::value(const QString& key) {
    const std::lock_guard lock(store().mutex);
    const auto settings = store().open();
    if (!settings->contains(key)) {
        return std::nullopt;
    }
    return settings->value(key);
}

void UserDefaults::setValue(const QString& key, const QVariant& value) {
    const std::lock_guard lock(store().mutex);
    const auto settings = store().open();
    settings->setValue(key, value);
    settings->sync();
}

void UserDefaults::remove(const QString& key) {
    const std::lock_guard lock(store().mutex);
    const auto settings = store().open();
    settings->remove(key);
    settings->sync();
}

void UserDefaults::useFile(const QString& path) {
    const std::lock_guard lock(store().mutex);
    store().file = path;
}

} // namespace sorvane
