#include "SpotifyFinder.h"

#include "FinderBlocks.h"
#include "platform/fs/Path.h"
#include "platform/places/Directory.h"

#include <QStringList>

namespace sorvane {

using namespace finder;

SpotifyFinder::SpotifyFinder()
    : CategoryFinder("SPOTIFY_CACHE", applicationIcon("Spotify"),
                     QStringLiteral("com.spotify.client")) {}

void SpotifyFinder::search() {
    for (const Url& entry : listing(url(Directory::spotifyCache))) {
        // Every component of the whole path counts, the home folder's own included.
        const QStringList components = QString::fromStdString(entry.path()).split(QLatin1Char('/'));
        if (components.contains(QStringLiteral("Browser")) ||
            components.contains(QStringLiteral("Data"))) {
            found().add(plainItem(entry));
        }
    }
    appendIfFolder(found(), Path::appending(url(Directory::caches), {"com.spotify.installer"}));
}

} // namespace sorvane
