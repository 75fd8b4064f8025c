#include "BuiltInKeeps.h"

#include "KeepEntry.h"
#include "platform/places/Layout.h"

namespace sorvane {

namespace {

struct CacheKeep {
    const char* name; // inside the cache folder
    const char* reason;
};

// Each was found deleted as "cache" by a cleaner, at a cost the user noticed.
constexpr CacheKeep cacheKeeps[] = {
    {"ibus", "IBus keeps what the input methods learnt here (user dictionaries, phrases)"},
    {"wallpaper", "GNOME keeps its copies of the desktop and lock-screen pictures here; the "
                  "picture is gone once its original was moved"},
    {"gnome-control-center", "GNOME Settings keeps the account picture and chosen backgrounds "
                             "here"},
    {"keepassxc", "KeePassXC keeps its state here: the recently opened databases and key files"},
    {"obexd", "Files received over Bluetooth are saved here"},
    {"sessions", "The saved desktop session (the programs reopened at login) is kept here"},
    {"JetBrains/*/LocalHistory", "The IDE's local history: earlier versions of your files"},
    {"huggingface/token", "The Hugging Face sign-in token"},
    {"huggingface/stored_tokens", "The Hugging Face sign-in tokens"},
    {"rclone/vfs", "Files written to an rclone mount that are not uploaded yet"},
    {"rclone/vfsMeta", "What rclone knows of the files it has not uploaded yet"},
    {"pypoetry/virtualenvs", "Poetry's project environments, with everything installed in them"},
    {"yay/vcs.json", "Which development versions of AUR packages yay has installed"},
    {"zsh/history", "The shell's command history, where zsh is set to keep it here"},
};

// The same things where a sandboxed program keeps them: Flatpak gives each application
// ~/.var/app/<id>/cache, Snap ~/snap/<name>/common/.cache and one per revision.
constexpr CacheKeep sandboxKeeps[] = {
    {".var/app/*/cache/keepassxc", "KeePassXC installed as a Flatpak keeps its state here"},
    {"snap/*/*/.cache/keepassxc", "KeePassXC installed as a Snap keeps its state here"},
    {".var/app/*/cache/JetBrains/*/LocalHistory",
     "The local history of a JetBrains IDE installed as a Flatpak"},
};

} // namespace

std::vector<BuiltInKeeps::Entry> BuiltInKeeps::freedesktop() {
    const FreedesktopFolders folders = Layout::freedesktopFolders();
    if (!folders.usable()) {
        return {};
    }
    const std::string home = folders.home.path();
    std::vector<Entry> entries;
    for (const auto& keep : cacheKeeps) {
        // The names are patterns; the cache folder around them is taken as it is.
        entries.push_back(
            {KeepEntry::forLocation(folders.cache.path(), home) + "/" + keep.name, keep.reason});
    }
    for (const auto& keep : sandboxKeeps) {
        entries.push_back({KeepEntry::forLocation(home, home) + "/" + keep.name, keep.reason});
    }
    return entries;
}

} // namespace sorvane
