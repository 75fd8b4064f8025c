#include "AppleMusicFinder.h"

#include "FinderBlocks.h"
#include "platform/fs/Path.h"
#include "platform/places/Directory.h"

namespace sorvane {

using namespace finder;

AppleMusicFinder::AppleMusicFinder()
    : CategoryFinder("MUSIC_CACHE", applicationIcon("Music"), QStringLiteral("com.apple.Music")) {}

void AppleMusicFinder::search() {
    appendListing(found(), url(Directory::appleMusicCache));
    appendIfPresent(found(),
                    Path::appending(url(Directory::user), {"Music", "iTunes", "Album Artwork"}),
                    "ALBUM_COVER_CACHE");
}

} // namespace sorvane
