#include "SpotifyCacheFinder.h"

#include "FreedesktopBlocks.h"

namespace sorvane {

using namespace finder;

// The macOS layout's Spotify category already names its text by this category's key.
SpotifyCacheFinder::SpotifyCacheFinder()
    : CategoryFinder("SPOTIFY_CACHE", "SPOTIFY",
                     desktopApplicationIcon({"spotify-client", "spotify", "com.spotify.Client"}),
                     QStringLiteral("com.spotify.Client")) {}

const std::vector<Place>& SpotifyCacheFinder::roots() {
    static const std::vector<Place> all{{Base::cache, "spotify"},
                                        {Base::home, ".var/app/com.spotify.Client/cache/spotify"},
                                        {Base::home, "snap/spotify/common/.cache/spotify"}};
    return all;
}

void SpotifyCacheFinder::search() {
    for (const Url& root : locateAll(roots())) {
        appendItems(found(), existingChildren(root, {"Data", "Storage", "Browser"}));
    }
}

} // namespace sorvane
