#include "MozillaCacheFinder.h"

namespace sorvane {

using namespace finder;

MozillaCacheFinder::MozillaCacheFinder(const char* nameKey, const QString& identifier,
                                       const std::vector<std::string>& iconNames,
                                       std::vector<Place> roots,
                                       std::vector<std::string> cacheFolders)
    : CategoryFinder(nameKey, desktopApplicationIcon(iconNames), identifier)
    , roots_(std::move(roots))
    , cacheFolders_(std::move(cacheFolders)) {}

std::shared_ptr<MozillaCacheFinder> MozillaCacheFinder::firefox() {
    return std::make_shared<MozillaCacheFinder>(
        "FIREFOX_CACHE", QStringLiteral("org.mozilla.firefox"), std::vector<std::string>{"firefox"},
        std::vector<Place>{{Base::cache, "mozilla/firefox"},
                           {Base::home, "snap/firefox/common/.cache/mozilla/firefox"},
                           {Base::home, ".var/app/org.mozilla.firefox/cache/mozilla/firefox"}},
        std::vector<std::string>{"cache2", "startupCache", "thumbnails"});
}

std::shared_ptr<MozillaCacheFinder> MozillaCacheFinder::thunderbird() {
    return std::make_shared<MozillaCacheFinder>(
        "THUNDERBIRD_CACHE", QStringLiteral("org.mozilla.Thunderbird"),
        std::vector<std::string>{"thunderbird", "org.mozilla.Thunderbird"},
        std::vector<Place>{{Base::cache, "thunderbird"},
                           {Base::home, ".var/app/org.mozilla.Thunderbird/cache/thunderbird"},
                           {Base::home, "snap/thunderbird/common/.cache/thunderbird"}},
        std::vector<std::string>{"cache2", "startupCache"});
}

void MozillaCacheFinder::search() {
    for (const Url& root : locateAll(roots_)) {
        for (const Url& profile : profiles(root)) {
            appendItems(found(), existingChildren(profile, cacheFolders_));
        }
    }
}

} // namespace sorvane
