#pragma once

#include <QString>
#include <QVariant>

#include <optional>

namespace sorvane {

// The user's stored settings (organisation and application "Sorvane"). Tests point it at a file
// of their own so that the real user's configuration is never touched.
class UserDefaults {
public:
    UserDefaults() = delete;

    static std::optional<QVariant> value(const QString& key);
    static void setValue(const QString& key, const QVariant& value);
    static void remove(const QString& key);

    // Stores everything in the given INI file instead; an empty path restores the default.
    static void useFile(const QString& path);
};

} // namespace sorvane
