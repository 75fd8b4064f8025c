#include "ChromiumFamilyFinder.h"

#include "finders/FinderBlocks.h"
#include "platform/fs/DirectoryEntries.h"
#include "platform/fs/Path.h"

#include <algorithm>

namespace sorvane {

using namespace finder;

namespace {

const std::vector<std::string> sharedCaches{"ShaderCache", "GrShaderCache", "GraphiteDawnCache"};
const std::vector<std::string> profileCaches{"GPUCache",
                                             "DawnCache",
                                             "DawnGraphiteCache",
                                             "DawnWebGPUCache",
                                             "Service Worker/CacheStorage",
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

namespace {

struct Browser {
    const char* key;
    const char* identifier;
    std::vector<std::string> iconNames;
    std::vector<Place> cacheRoots;
    std::vector<Place> configRoots;
};

// In the order of the factories below.
const std::vector<Browser>& browsers() {
    static const std::vector<Browser> all{
        {"CHROME_CACHE",
         "com.google.Chrome",
         {"google-chrome"},
         {{Base::cache, "google-chrome"},
          {Base::home, ".var/app/com.google.Chrome/cache/google-chrome"}},
         {{Base::config, "google-chrome"},
          {Base::home, ".var/app/com.google.Chrome/config/google-chrome"}}},
        {"CHROMIUM_CACHE",
         "org.chromium.Chromium",
         {"chromium", "chromium-browser"},
         {{Base::cache, "chromium"},
          {Base::home, "snap/chromium/common/.cache/chromium"},
          {Base::home, ".var/app/org.chromium.Chromium/cache/chromium"}},
         {{Base::config, "chromium"},
          {Base::home, "snap/chromium/common/chromium"},
          {Base::home, ".var/app/org.chromium.Chromium/config/chromium"}}},
        {"BRAVE_CACHE",
         "com.brave.Browser",
         {"brave-browser"},
         {{Base::cache, "BraveSoftware/Brave-Browser"},
          {Base::home, ".var/app/com.brave.Browser/cache/BraveSoftware/Brave-Browser"}},
         {{Base::config, "BraveSoftware/Brave-Browser"},
          {Base::home, ".var/app/com.brave.Browser/config/BraveSoftware/Brave-Browser"}}},
        {"EDGE_CACHE",
         "com.microsoft.Edge",
         {"microsoft-edge"},
         {{Base::cache, "microsoft-edge"},
          {Base::home, ".var/app/com.microsoft.Edge/cache/microsoft-edge"}},
         {{Base::config, "microsoft-edge"},
          {Base::home, ".var/app/com.microsoft.Edge/config/microsoft-edge"}}},
        {"VIVALDI_CACHE",
         "com.vivaldi.Vivaldi",
         {"vivaldi"},
         {{Base::cache, "vivaldi"}, {Base::home, ".var/app/com.vivaldi.Vivaldi/cache/vivaldi"}},
         {{Base::config, "vivaldi"}, {Base::home, ".var/app/com.vivaldi.Vivaldi/config/vivaldi"}}},
    };
    return all;
}

std::shared_ptr<ChromiumFamilyFinder> make(std::size_t index) {
    const Browser& browser = browsers().at(index);
    return std::make_shared<ChromiumFamilyFinder>(
        browser.key, QString::fromLatin1(browser.identifier), browser.iconNames, browser.cacheRoots,
        browser.configRoots);
}

} // namespace

std::shared_ptr<ChromiumFamilyFinder> ChromiumFamilyFinder::chrome() {
    return make(0);
}

std::shared_ptr<ChromiumFamilyFinder> ChromiumFamilyFinder::chromium() {
    return make(1);
}

std::shared_ptr<ChromiumFamilyFinder> ChromiumFamilyFinder::brave() {
    return make(2);
}

std::shared_ptr<ChromiumFamilyFinder> ChromiumFamilyFinder::edge() {
    return make(3);
}

std::shared_ptr<ChromiumFamilyFinder> ChromiumFamilyFinder::vivaldi() {
    return make(4);
}

std::vector<Place> ChromiumFamilyFinder::roots() {
    std::vector<Place> all;
    for (const Browser& browser : browsers()) {
        all.insert(all.end(), browser.cacheRoots.begin(), browser.cacheRoots.end());
        all.insert(all.end(), browser.configRoots.begin(), browser.configRoots.end());
    }
    return all;
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
