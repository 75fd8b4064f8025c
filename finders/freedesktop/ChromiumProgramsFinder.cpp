#include "ChromiumProgramsFinder.h"

#include "FreedesktopBlocks.h"
#include "Sandboxes.h"
#include "finders/FinderBlocks.h"
#include "platform/fs/RegularFile.h"
#include "platform/icons/Images.h"
#include "platform/places/Layout.h"

#include <algorithm>
#include <array>
#include <string_view>

namespace sorvane {

using namespace finder;

namespace {

// What Chromium rebuilds on demand. Storage, cookies, preferences and the like are the user's or
// a site's data and never named here.
const std::vector<std::string> cacheNames{"Cache",
                                          "Code Cache",
                                          "GPUCache",
                                          "DawnCache",
                                          "DawnGraphiteCache",
                                          "DawnWebGPUCache",
                                          "GrShaderCache",
                                          "GraphiteDawnCache",
                                          "ShaderCache",
                                          "Service Worker/CacheStorage",
                                          "Service Worker/ScriptCache"};

// The folders where Chromium keeps a disk cache of its own format.
const std::vector<std::string> diskCaches{"Cache/Cache_Data", "Cache",         "Code Cache/js",
                                          "GPUCache",         "GrShaderCache", "ShaderCache"};

// The first bytes of a disk cache's index file: the simple cache's ("oy retne", little-endian
// 0x656e74657220796f) and the block-file cache's (0xc103cac3). A folder called Cache that some
// other program fills with files of its own has neither.
bool isDiskCache(const Url& folder) {
    static const std::array<std::string_view, 2> magics{std::string_view("oy retne"),
                                                        std::string_view("\xc3\xca\x03\xc1")};
    const auto head = RegularFile::readHead(folder.appending("index").path(), 8);
    return head && std::any_of(magics.begin(), magics.end(),
                               [&](std::string_view magic) { return head->starts_with(magic); });
}

bool holdsDiskCache(const Url& folder) {
    return std::any_of(diskCaches.begin(), diskCaches.end(), [&](const std::string& relative) {
        return isDiskCache(folder.appending(relative, true));
    });
}

// The caches of a program's folder or of one of its profiles. A Cache folder counts only in
// Chromium's format, as a program may keep a cache of another kind under that name.
std::vector<Url> cachesIn(const Url& folder) {
    std::vector<Url> found = existingChildren(folder, cacheNames);
    std::erase_if(found, [&](const Url& cache) {
        return cache.lastPathComponent() == "Cache" &&
               !(isDiskCache(cache) || isDiskCache(cache.appending("Cache_Data", true)));
    });
    return found;
}

// The visible sub-folders that are not caches themselves; a profile is one of them that holds a
// cache.
std::vector<Url> profilesOf(const Url& folder) {
    std::vector<Url> found = profiles(folder);
    std::erase_if(found, [](const Url& profile) {
        const std::string name = profile.lastPathComponent();
        return std::any_of(cacheNames.begin(), cacheNames.end(), [&](const std::string& cache) {
            return cache.substr(0, cache.find('/')) == name;
        });
    });
    return found;
}

} // namespace

ChromiumProgramsFinder::ChromiumProgramsFinder()
    : CategoryFinder("CHROMIUM_PROGRAMS", Images::stock("applications-internet"), std::nullopt) {}

void ChromiumProgramsFinder::search() {
    const FreedesktopFolders folders = Layout::freedesktopFolders();
    if (!folders.usable()) {
        return;
    }
    std::vector<Url> roots{folders.config};
    for (const Sandbox& sandbox : sandboxes()) {
        roots.insert(roots.end(), sandbox.configFolders.begin(), sandbox.configFolders.end());
    }
    const std::vector<Url> claimed = programRoots();
    for (const Url& root : roots) {
        for (const Url& folder : profiles(root)) {
            consider(folder, claimed, false);
        }
    }
}

// A program's folder lies directly in a configuration folder, or one level down where a vendor
// groups its programs (Microsoft/Microsoft Teams). Deeper folders are a program's own.
void ChromiumProgramsFinder::consider(const Url& folder, const std::vector<Url>& claimed,
                                      bool nested) {
    if (std::any_of(claimed.begin(), claimed.end(),
                    [&](const Url& root) { return holds(root, folder); })) {
        return;
    }
    // Chromium writes Local State into the folder of a program, not of a profile; it tells a
    // browser whose caches lie only in its profiles from a vendor's folder of programs.
    const std::vector<Url> profileFolders = profilesOf(folder);
    const bool isProgram =
        !touchesAny(folder, claimed) &&
        (holdsDiskCache(folder) ||
         (existing(folder.appending("Local State")) &&
          std::any_of(profileFolders.begin(), profileFolders.end(),
                      [](const Url& profile) { return holdsDiskCache(profile); })));
    if (isProgram) {
        std::vector<Url> caches = cachesIn(folder);
        for (const Url& profile : profileFolders) {
            const std::vector<Url> more = cachesIn(profile);
            caches.insert(caches.end(), more.begin(), more.end());
        }
        auto group = std::make_shared<CleanerItem>(
            QString::fromStdString(folder.lastPathComponent()), caches, std::nullopt, nullptr);
        group->setAlternateIcon(Images::stock("applications-internet"));
        appendGroup(found(), group);
    } else if (!nested) {
        for (const Url& inner : profiles(folder)) {
            consider(inner, claimed, true);
        }
    }
}

} // namespace sorvane
