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

namespace {

const std::vector<Place>& firefoxRoots() {
    static const std::vector<Place> roots{
        {Base::cache, "mozilla/firefox"},
        {Base::home, "snap/firefox/common/.cache/mozilla/firefox"},
        {Base::home, ".var/app/org.mozilla.firefox/cache/mozilla/firefox"}};
    return roots;
}

const std::vector<Place>& thunderbirdRoots() {
    static const std::vector<Place> roots{
        {Base::cache, "thunderbird"},
        {Base::home, ".var/app/org.mozilla.Thunderbird/cache/thunderbird"},
        {Base::home, "snap/thunderbird/common/.cache/thunderbird"}};
    return roots;
}

} // namespace

std::shared_ptr<MozillaCacheFinder> MozillaCacheFinder::firefox() {
    return std::make_shared<MozillaCacheFinder>(
        "FIREFOX_CACHE", QStringLiteral("org.mozilla.firefox"), std::vector<std::string>{"firefox"},
        firefoxRoots(), std::vector<std::string>{"cache2", "startupCache", "thumbnails"});
}

std::shared_ptr<MozillaCacheFinder> MozillaCacheFinder::thunderbird() {
    return std::make_shared<MozillaCacheFinder>(
        "THUNDERBIRD_CACHE", QStringLiteral("org.mozilla.Thunderbird"),
        std::vector<std::string>{"thunderbird", "org.mozilla.Thunderbird"}, thunderbirdRoots(),
        std::vector<std::string>{"cache2", "startupCache"});
}

std::vector<Place> MozillaCacheFinder::roots() {
    std::vector<Place> all = firefoxRoots();
    all.insert(all.end(), thunderbirdRoots().begin(), thunderbirdRoots().end());
    return all;
}

void MozillaCacheFinder::search() {
    for (const Url& root : locateAll(roots_)) {
        for (const Url& profile : profiles(root)) {
            appendItems(found(), existingChildren(profile, cacheFolders_));
        }
    }
}

} // namespace sorvane
