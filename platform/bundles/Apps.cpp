#include "Apps.h"

#include "BundleInfo.h"
#include "platform/fs/Path.h"
#include "platform/places/Directory.h"

#include <unistd.h>

#include <array>

namespace sorvane {

namespace {

QString withoutAppSuffixes(const std::string& folderName) {
    return QString::fromStdString(folderName).remove(QStringLiteral(".app"));
}

// Where a bundle keeps the applications, extensions and services it embeds.
const std::array<std::vector<std::string>, 4> embeddingFolders{{
    {"Contents", "Library"},
    {"Contents", "PlugIns"},
    {"Contents", "Library", "LoginItems"},
    {"Contents", "XpcServices"},
}};

bool isEmbeddableBundle(const Url& url) {
    const std::string extension = url.pathExtension();
    return extension == "app" || extension == "appex" || extension == "xpc";
}

AppList embeddedApps(const Url& bundle, bool excludingSystemApps) {
    AppList children;
    for (const auto& components : embeddingFolders) {
        const Url folder = Path::appending(bundle, components);
        if (!Path::exists(folder)) {
            continue;
        }
        for (const Url& candidate : Path::contents(folder, true)) {
            if (!isEmbeddableBundle(candidate)) {
                continue;
            }
            if (auto child = Apps::app(candidate, false, excludingSystemApps)) {
                children.push_back(std::move(child));
            }
        }
    }
    return children;
}

} // namespace

std::shared_ptr<App> Apps::app(const Url& url, bool withChildren, bool excludingSystemApps) {
    const Url infoFile = Path::appending(url, {"Contents"}).appending("Info.plist");
    if (!Path::exists(infoFile)) {
        return nullptr;
    }
    const auto info = BundleInfo::read(infoFile.path());
    if (!info) {
        return nullptr;
    }
    const auto identifier = info->text("CFBundleIdentifier");
    if (!identifier) {
        return nullptr;
    }
    if (excludingSystemApps && identifier->startsWith(QStringLiteral("com.apple."))) {
        return nullptr;
    }
    auto record =
        std::make_shared<App>(url, withoutAppSuffixes(url.lastPathComponent()), *identifier);
    record->setVersion(info->text("CFBundleShortVersionString"));
    record->setCopyright(info->text("NSHumanReadableCopyright"));
    if (withChildren) {
        record->setChildren(embeddedApps(url, excludingSystemApps));
    }
    return record;
}

AppList Apps::installedApps(bool excludingSystemApps) {
    AppList apps;
    for (const Url& folder : Path::contents(url(Directory::applications), true)) {
        if (auto record = app(folder, true, excludingSystemApps)) {
            apps.push_back(std::move(record));
        }
    }
    return apps;
}

std::optional<std::pair<QString, Image>> Apps::builtProduct(const Url& buildFolder) {
    for (const Url& entry : Path::entries(buildFolder.appending("Products", true), true)) {
        const std::string name = entry.lastPathComponent();
        if (name.ends_with(".app")) {
            return std::make_pair(withoutAppSuffixes(name), Path::icon(entry.path()));
        }
    }
    return std::nullopt;
}

std::optional<std::string> Apps::bundleOfExecutable(const std::string& executable) {
    constexpr std::string_view marker = ".app/Contents/MacOS/";
    const auto found = executable.rfind(marker);
    if (found == std::string::npos ||
        executable.find('/', found + marker.size()) != std::string::npos) {
        return std::nullopt;
    }
    return executable.substr(0, found + 4);
}

QString Apps::mainBundleIdentifier() {
    static const QString identifier = [] {
        std::array<char, 4096> executable{};
        const ssize_t length = readlink("/proc/self/exe", executable.data(), executable.size() - 1);
        if (length > 0) {
            const auto bundle = bundleOfExecutable(
                std::string(executable.data(), static_cast<std::size_t>(length)));
            if (bundle) {
                if (auto own = app(Url::folder(*bundle), false, false)) {
                    return own->identifier();
                }
            }
        }
        return QStringLiteral("org.sorvane.Sorvane");
    }();
    return identifier;
}

} // namespace sorvane
