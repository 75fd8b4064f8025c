#include "ChromiumFamilyFinder.h"

#include "finders/FinderBlocks.h"
#include "platform/fs/DirectoryEntries.h"
#include "platform/fs/Path.h"

#include <algorithm>

namespace sorvane {

using namespace finder;

namespace {

const std::vector<std::string> sharedCaches{"ShaderCache", "GrShaderCache", "GraphiteDawnCache"};
const std::vector<std::string> profileCaches{"GPUCache", "DawnCache", "Service Worker/CacheStorage",
                                             "Service Worker/ScriptCache"};

bool isCacheName(const std::string& name) {
    return name == "Cache" || name == "Code Cache";
}

} // namespace

ChromiumFamilyFinder::ChromiumFamilyFinder(const char* nameKey, const QString& identifier,
                                           const std::vector<std::string>& iconNames,
                                           std::vector<Place> cacheRoots,
                                           std::vector<Place> configRoots)
    : CategoryFinder(nameKey, desktopApplicationIcon(iconNames), identifier)
    , cacheRoots_(std::move(cacheRoots))
    , configRoots_(std::move(configRoots)) {}

std::shared_ptr<ChromiumFamilyFinder> ChromiumFamilyFinder::chrome() {
    return std::make_shared<ChromiumFamilyFinder>(
        "CHROME_CACHE", QStringLiteral("com.google.Chrome"),
        std::vector<std::string>{"google-chrome"},
        std::vector<Place>{{Base::cache, "google-chrome"},
                           {Base::home, ".var/app/com.google.Chrome/cache/google-chrome"}},
        std::vector<Place>{{Base::config, "google-chrome"},
                           {Base::home, ".var/app/com.google.Chrome/config/google-chrome"}});
}

std::shared_ptr<ChromiumFamilyFinder> ChromiumFamilyFinder::chromium() {
    return std::make_shared<ChromiumFamilyFinder>(
        "CHROMIUM_CACHE", QStringLiteral("org.chromium.Chromium"),
        std::vector<std::string>{"chromium", "chromium-browser"},
        std::vector<Place>{{Base::cache, "chromium"},
                           {Base::home, "snap/chromium/common/.cache/chromium"},
                           {Base::home, ".var/app/org.chromium.Chromium/cache/chromium"}},
        std::vector<Place>{{Base::config, "chromium"},
                           {Base::home, "snap/chromium/common/chromium"},
                           {Base::home, ".var/app/org.chromium.Chromium/config/chromium"}});
}

std::shared_ptr<ChromiumFamilyFinder> ChromiumFamilyFinder::brave() {
    return std::make_shared<ChromiumFamilyFinder>(
        "BRAVE_CACHE", QStringLiteral("com.brave.Browser"),
        std::vector<std::string>{"brave-browser"},
        std::vector<Place>{
            {Base::cache, "BraveSoftware/Brave-Browser"},
            {Base::home, ".var/app/com.brave.Browser/cache/BraveSoftware/Brave-Browser"}},
        std::vector<Place>{
            {Base::config, "BraveSoftware/Brave-Browser"},
            {Base::home, ".var/app/com.brave.Browser/config/BraveSoftware/Brave-Browser"}});
}

std::shared_ptr<ChromiumFamilyFinder> ChromiumFamilyFinder::edge() {
    return std::make_shared<ChromiumFamilyFinder>(
        "EDGE_CACHE", QStringLiteral("com.microsoft.Edge"),
        std::vector<std::string>{"microsoft-edge"},
        std::vector<Place>{{Base::cache, "microsoft-edge"},
                           {Base::home, ".var/app/com.microsoft.Edge/cache/microsoft-edge"}},
        std::vector<Place>{{Base::config, "microsoft-edge"},
                           {Base::home, ".var/app/com.microsoft.Edge/config/microsoft-edge"}});
}

std::shared_ptr<ChromiumFamilyFinder> ChromiumFamilyFinder::vivaldi() {
    return std::make_shared<ChromiumFamilyFinder>(
        "VIVALDI_CACHE", QStringLiteral("com.vivaldi.Vivaldi"), std::vector<std::string>{"vivaldi"},
        std::vector<Place>{{Base::cache, "vivaldi"},
                           {Base::home, ".var/app/com.vivaldi.Vivaldi/cache/vivaldi"}},
        std::vector<Place>{{Base::config, "vivaldi"},
                           {Base::home, ".var/app/com.vivaldi.Vivaldi/config/vivaldi"}});
}

void ChromiumFamilyFinder::search() {
    for (const Url& root : locateAll(cacheRoots_)) {
        searchCacheTree(root);
    }
    for (const Url& root : locateAll(configRoots_)) {
        searchConfiguration(root);
    }
}

void ChromiumFamilyFinder::searchCacheTree(const Url& root) {
    Path::walk(root, [this](const FolderEntry& entry) {
        const std::string name = entry.url.lastPathComponent();
        if (isHiddenName(name) || entry.type == ItemType::link) {
            return WalkStep::skip;
        }
        // A match is one item however much cache it holds: its contents are not entered.
        if (isCacheName(name)) {
            found().add(plainItem(entry.url));
            return WalkStep::skip;
        }
        return entry.type == ItemType::folder && !Path::isPackage(entry.url) ? WalkStep::enter
                                                                             : WalkStep::skip;
    });
}

void ChromiumFamilyFinder::searchConfiguration(const Url& root) {
    appendItems(found(), existingChildren(root, sharedCaches));
    for (const Url& profile : profiles(root)) {
        if (std::find(sharedCaches.begin(), sharedCaches.end(), profile.lastPathComponent()) ==
            sharedCaches.end()) {
            appendItems(found(), existingChildren(profile, profileCaches));
        }
    }
}

} // namespace sorvane
