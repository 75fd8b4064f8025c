#include "BuiltInKeeps.h"

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

// "~/" for the home when the location lies in it, as a user would write it.
std::string written(const std::string& path, const std::string& home) {
    if (!home.empty() && path.starts_with(home + "/")) {
        return "~" + path.substr(home.size());
    }
    return path;
}

} // namespace

std::vector<BuiltInKeeps::Entry> BuiltInKeeps::freedesktop() {
    const FreedesktopFolders folders = Layout::freedesktopFolders();
    if (!folders.usable()) {
        return {};
    }
    const std::string home = folders.home.path();
    std::vector<Entry> entries;
    for (const auto& keep : cacheKeeps) {
        entries.push_back({written(folders.cache.path() + "/" + keep.name, home), keep.reason});
    }
    return entries;
}

} // namespace sorvane
