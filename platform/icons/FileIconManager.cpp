#include "FileIconManager.h"

#include "IconThemes.h"
#include "Images.h"
#include "platform/bundles/Apps.h"
#include "platform/bundles/BundleInfo.h"
#include "platform/fs/Path.h"
#include "platform/fs/RegularFile.h"
#include "platform/places/SystemRoot.h"

#include <QStringList>

#include <algorithm>

namespace sorvane {

namespace {

std::optional<Image> bundleIcon(const std::string& applicationsFolder, const QString& name) {
    const Url contents =
        Url::folder(applicationsFolder + "/" + name.toStdString() + ".app/Contents");
    const auto iconFile = FileIconManager::iconFileUrl(contents);
    if (!iconFile || !Path::exists(*iconFile) || !isLoadableImage(iconFile->path())) {
        return std::nullopt;
    }
    return makeImage(Icon::Kind::imageFile, iconFile->path());
}

// Whether an icon name from an information file stays inside the Resources folder: a name is
// whatever the bundle's maker wrote, and may point anywhere.
bool namesAResource(const QString& name) {
    if (name.isEmpty() || name.startsWith(QLatin1Char('/')) || name.contains(QChar(0))) {
        return false;
    }
    const QStringList components = name.split(QLatin1Char('/'));
    return std::none_of(components.begin(), components.end(), [](const QString& component) {
        return component.isEmpty() || component == QLatin1String(".") ||
               component == QLatin1String("..");
    });
}

} // namespace

bool isLoadableImage(const std::string& path) {
    const auto head = RegularFile::readHead(path, 4096);
    if (!head) {
        return false;
    }
    const std::string_view start(*head);
    if (start.starts_with("icns") || start.starts_with("\x89PNG\r\n\x1a\n")) {
        return true;
    }
    // SVG is XML text whose root element is <svg>, perhaps after a declaration or a comment.
    const auto text = start.find_first_not_of(" \t\r\n\xef\xbb\xbf");
    return text != std::string_view::npos && start[text] == '<' &&
           start.find("<svg") != std::string_view::npos;
}

FileIconManager& FileIconManager::shared() {
    static FileIconManager instance;
    return instance;
}

Image FileIconManager::cached(const QString& key) const {
    const std::lock_guard lock(mutex_);
    return cache_.value(key);
}

void FileIconManager::store(const QString& key, const Image& image) {
    const std::lock_guard lock(mutex_);
    cache_.insert(key, image);
}

void FileIconManager::clear() {
    const std::lock_guard lock(mutex_);
    cache_.clear();
    themeIconNames_.reset();
}

Image FileIconManager::iconForDesktopApplication(const std::vector<std::string>& themeNames) {
    const std::lock_guard lock(mutex_);
    if (!themeIconNames_) {
        themeIconNames_ = IconThemes::applicationIconNames();
    }
    for (const std::string& name : themeNames) {
        if (themeIconNames_->contains(name)) {
            return Images::stock(name);
        }
    }
    return Images::stock("application-x-executable");
}

Image FileIconManager::iconForApplicationNamed(const QString& name) {
    if (Image known = cached(name)) {
        return known;
    }
    // Two threads asking at once may both look; the later answer simply replaces the earlier.
    Image icon;
    if (auto found = bundleIcon(SystemRoot::resolve("/Applications"), name)) {
        icon = *found;
    } else if (auto system = bundleIcon(SystemRoot::resolve("/System/Applications"), name)) {
        icon = *system;
    } else {
        icon = Path::icon(SystemRoot::resolve("/Applications") + "/" + name.toStdString() + ".app");
    }
    store(name, icon);
    return icon;
}

Image FileIconManager::iconForBundleIdentifier(const QString& identifier) {
    if (Image known = cached(identifier)) {
        return known;
    }
    for (const char* folder : {"/Applications", "/System/Applications"}) {
        for (const Url& bundle : Path::contents(Url::folder(SystemRoot::resolve(folder)), true)) {
            const auto app = Apps::app(bundle, false, false);
            if (app && app->identifier() == identifier) {
                Image icon = Path::icon(app->baseUrl().path());
                store(identifier, icon);
                return icon;
            }
        }
    }
    return nullptr;
}

std::optional<Url> FileIconManager::iconFileUrl(const Url& contents) {
    const auto info = BundleInfo::read(contents.appending("Info.plist").path());
    if (!info) {
        return std::nullopt;
    }
    auto iconFile = info->text("CFBundleIconFile");
    if (!iconFile || !namesAResource(*iconFile)) {
        return std::nullopt;
    }
    if (!iconFile->endsWith(QStringLiteral(".icns"))) {
        iconFile->append(QStringLiteral(".icns"));
    }
    return contents.appending("Resources", true).appending(iconFile->toStdString());
}

} // namespace sorvane
