#include "TelegramCacheFinder.h"

#include "Sandboxes.h"

#include <algorithm>

namespace sorvane {

using namespace finder;

TelegramCacheFinder::TelegramCacheFinder()
    : CategoryFinder(
          "TELEGRAM_CACHE",
          desktopApplicationIcon({"telegram", "org.telegram.desktop", "telegram-desktop"}),
          QStringLiteral("org.telegram.desktop")) {}

std::vector<Url> TelegramCacheFinder::roots() {
    std::vector<Url> found =
        locateAll({{Base::data, "TelegramDesktop"},
                   {Base::home, ".var/app/org.telegram.desktop/data/TelegramDesktop"}});
    // The Snap keeps its data per revision; only the revision in use is read.
    if (const auto snap = locate({Base::home, "snap/telegram-desktop"})) {
        if (const auto revision = currentRevision(*snap)) {
            found.push_back(revision->appending(".local/share/TelegramDesktop", true));
        }
    }
    return found;
}

bool TelegramCacheFinder::isAccountFolder(const std::string& name) {
    constexpr std::string_view first = "user_data";
    if (name == first) {
        return true;
    }
    const std::string_view rest =
        std::string_view(name).substr(std::min(name.size(), first.size()));
    return name.starts_with(first) && rest.size() >= 2 && rest[0] == '#' &&
           std::all_of(rest.begin() + 1, rest.end(), [](char c) { return c >= '0' && c <= '9'; });
}

void TelegramCacheFinder::search() {
    for (const Url& root : roots()) {
        for (const Url& account : profiles(root.appending("tdata", true))) {
            if (isAccountFolder(account.lastPathComponent())) {
                appendItems(found(), existingChildren(account, {"cache", "media_cache"}));
            }
        }
    }
}

} // namespace sorvane
