#pragma once

#include "FreedesktopBlocks.h"
#include "finders/CategoryFinder.h"

#include <vector>

namespace sorvane {

// Telegram Desktop's media and file caches of every signed-in account, installed natively, as
// a Flatpak or as a Snap. Everything else in its data folder (the session keys, settings,
// downloaded files) is the user's.
class TelegramCacheFinder final : public CategoryFinder {
public:
    TelegramCacheFinder();
    void search() override;

    // The folders Telegram Desktop keeps its data in; its logs lie there too.
    static std::vector<Url> roots();

    // Whether a folder name is that of an account's data: user_data for the first account,
    // user_data#N for the others.
    static bool isAccountFolder(const std::string& name);
};

} // namespace sorvane
