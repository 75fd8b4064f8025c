#include "FreedesktopFolders.h"

#include <cstdlib>
#include <sys/stat.h>

namespace sorvane {

namespace {

std::string variable(const char* name) {
    const char* value = std::getenv(name); // NOLINT(concurrency-mt-unsafe)
    return value != nullptr ? value : "";
}

Url chosenOrDefault(const char* name, const Url& home, const char* fallback) {
    const std::string value = variable(name);
    // A relative value has no meaning to every program alike, so the conventions say to ignore it.
    if (value.starts_with("/")) {
        return Url::folder(value);
    }
    return home.appending(fallback, true);
}

} // namespace

std::string FreedesktopFolders::problemWith(const std::string& home) {
    if (!home.starts_with("/")) {
        return home.empty() ? "no home folder is set" : "the home folder is not an absolute path";
    }
    struct stat info {};
    if (lstat(home.c_str(), &info) != 0) {
        return "the home folder does not exist";
    }
    // Everything is reached from the home without following links, so the home itself must be
    // the folder meant, not a link that could be pointed elsewhere.
    if (S_ISLNK(info.st_mode)) {
        return "the home folder is a symbolic link";
    }
    if (!S_ISDIR(info.st_mode)) {
        return "the home folder is not a folder";
    }
    return {};
}

FreedesktopFolders FreedesktopFolders::fromEnvironment() {
    const std::string home = variable("HOME");
    if (!problemWith(home).empty()) {
        return {};
    }
    const Url folder = Url::folder(home);
    return {folder, chosenOrDefault("XDG_CACHE_HOME", folder, ".cache"),
            chosenOrDefault("XDG_CONFIG_HOME", folder, ".config"),
            chosenOrDefault("XDG_DATA_HOME", folder, ".local/share")};
}

FreedesktopFolders FreedesktopFolders::under(const std::string& home) {
    if (!problemWith(home).empty()) {
        return {};
    }
    const Url folder = Url::folder(home);
    return {folder, folder.appending(".cache", true), folder.appending(".config", true),
            folder.appending(".local/share", true)};
}

} // namespace sorvane
