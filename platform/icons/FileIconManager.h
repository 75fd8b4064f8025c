#pragma once

#include "Icon.h"
#include "platform/fs/Url.h"

#include <QString>

#include <QHash>
#include <mutex>
#include <optional>
#include <set>
#include <string>
#include <vector>

namespace sorvane {

// Finds application icons by display name or bundle identifier and remembers them for the life
// of the process. Safe to use from several threads at once.
class FileIconManager {
public:
    static FileIconManager& shared();

    FileIconManager() = default;
    FileIconManager(const FileIconManager&) = delete;
    FileIconManager& operator=(const FileIconManager&) = delete;

    // The bundle's icon file in /Applications, then in /System/Applications, else the generic
    // file icon of /Applications/<name>.app. Never absent.
    Image iconForApplicationNamed(const QString& name);
    // The file icon of the installed application with this identifier; none, and nothing
    // remembered, when no such application is installed.
    Image iconForBundleIdentifier(const QString& identifier);
    // The first of the icon names that an installed icon theme provides, as a stock image, else
    // the generic application icon. The themes are looked at once and remembered.
    Image iconForDesktopApplication(const std::vector<std::string>& themeNames);

    // The icon file named by the information file in a bundle's Contents folder; nothing when
    // the name is empty, absolute or holds a "." or ".." component (or an empty one), so that
    // it always lies inside Contents/Resources.
    static std::optional<Url> iconFileUrl(const Url& contents);

    // Forgets every remembered icon.
    void clear();

private:
    Image cached(const QString& key) const;
    void store(const QString& key, const Image& image);

    mutable std::mutex mutex_;
    QHash<QString, Image> cache_;
    std::optional<std::set<std::string>> themeIconNames_;
};

// Whether a regular file exists there (a link at the end not followed) and starts like an image
// we can show (.icns, PNG or SVG).
bool isLoadableImage(const std::string& path);

} // namespace sorvane
