#include "ProgramCacheFinder.h"

namespace sorvane {

using namespace finder;

ProgramCacheFinder::ProgramCacheFinder(const char* nameKey, const char* textKey,
                                       const QString& identifier,
                                       const std::vector<std::string>& iconNames,
                                       std::vector<Place> roots,
                                       std::vector<std::string> cacheFolders)
    : CategoryFinder(nameKey, textKey, desktopApplicationIcon(iconNames), identifier)
    , roots_(std::move(roots))
    , cacheFolders_(std::move(cacheFolders)) {}

namespace {

const std::vector<Place>& spotifyRoots() {
    static const std::vector<Place> roots{{Base::cache, "spotify"},
                                          {Base::home, ".var/app/com.spotify.Client/cache/spotify"},
                                          {Base::home, "snap/spotify/common/.cache/spotify"}};
    return roots;
}

} // namespace

// The macOS layout's Spotify category already names its text by this category's key.
std::shared_ptr<ProgramCacheFinder> ProgramCacheFinder::spotify() {
    return std::make_shared<ProgramCacheFinder>(
        "SPOTIFY_CACHE", "SPOTIFY", QStringLiteral("com.spotify.Client"),
        std::vector<std::string>{"spotify-client", "spotify", "com.spotify.Client"}, spotifyRoots(),
        std::vector<std::string>{"Data", "Storage", "Browser"});
}

std::vector<Place> ProgramCacheFinder::roots() {
    std::vector<Place> all = spotifyRoots();
    all.insert(all.end(), steamRoots().begin(), steamRoots().end());
    return all;
}

const std::vector<Place>& ProgramCacheFinder::steamRoots() {
    // Debian's and Ubuntu's package installs the client in a folder of its own; ~/.steam/steam
    // is a link to whichever root is in use, and links are not followed.
    static const std::vector<Place> roots{
        {Base::data, "Steam"},
        {Base::home, ".steam/debian-installation"},
        {Base::home, ".var/app/com.valvesoftware.Steam/.local/share/Steam"},
        {Base::home, "snap/steam/common/.local/share/Steam"},
    };
    return roots;
}

// Compiled shaders are built again when a game starts; the web views' caches when the client
// opens. Games, saves (userdata), the client's settings (config itself) are never touched.
std::shared_ptr<ProgramCacheFinder> ProgramCacheFinder::steam() {
    return std::make_shared<ProgramCacheFinder>(
        "STEAM_CACHE", "STEAM_CACHE", QStringLiteral("com.valvesoftware.Steam"),
        std::vector<std::string>{"steam", "com.valvesoftware.Steam"}, steamRoots(),
        std::vector<std::string>{"steamapps/shadercache", "config/htmlcache",
                                 "appcache/httpcache"});
}

void ProgramCacheFinder::search() {
    for (const Url& root : locateAll(roots_)) {
        appendItems(found(), existingChildren(root, cacheFolders_));
    }
}

} // namespace sorvane
