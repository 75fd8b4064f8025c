#include "Directory.h"

#include "SystemRoot.h"

#include <QStandardPaths>
#include <QString>

#include <cstdlib>
#include <pwd.h>
#include <unistd.h>
#include <vector>

namespace sorvane {

namespace {

std::vector<std::string> nonEmptyPieces(const std::string& path) {
    std::vector<std::string> pieces;
    std::string piece;
    for (const char c : path) {
        if (c == '/') {
            if (!piece.empty()) {
                pieces.push_back(std::move(piece));
            }
            piece.clear();
        } else {
            piece.push_back(c);
        }
    }
    if (!piece.empty()) {
        pieces.push_back(std::move(piece));
    }
    return pieces;
}

std::string environmentHome() {
    if (const char* home = std::getenv("HOME")) { // NOLINT(concurrency-mt-unsafe)
        return home;
    }
    std::vector<char> buffer(16384);
    passwd entry{};
    passwd* found = nullptr;
    if (getpwuid_r(getuid(), &entry, buffer.data(), buffer.size(), &found) == 0 && found) {
        return found->pw_dir;
    }
    return {};
}

Url underUser(std::initializer_list<const char*> components) {
    Url location = url(Directory::user);
    for (const char* component : components) {
        location = location.appending(component, true);
    }
    return location;
}

} // namespace

std::string loginName() {
    std::vector<char> buffer(16384);
    passwd entry{};
    passwd* found = nullptr;
    if (getpwuid_r(geteuid(), &entry, buffer.data(), buffer.size(), &found) == 0 && found) {
        return found->pw_name;
    }
    if (const char* user = std::getenv("USER")) { // NOLINT(concurrency-mt-unsafe)
        return user;
    }
    return {};
}

std::string homeFolderPath() {
    const auto pieces = nonEmptyPieces(environmentHome());
    if (pieces.size() >= 2) {
        return "/" + pieces[0] + "/" + pieces[1];
    }
    return "/Users/" + loginName();
}

Url url(Directory directory) {
    switch (directory) {
    case Directory::applications:
        return Url::folder(SystemRoot::resolve("/Applications"));
    case Directory::user:
        return Url::folder(homeFolderPath());
    case Directory::library:
        return underUser({"Library"});
    case Directory::preferences:
        return underUser({"Library", "Preferences"});
    case Directory::caches:
        return underUser({"Library", "Caches"});
    case Directory::applicationSupport:
        return underUser({"Library", "Application Support"});
    case Directory::containers:
        return underUser({"Library", "Containers"});
    case Directory::savedState:
        return underUser({"Library", "Saved Application State"});
    case Directory::trash:
        return underUser({"Library", ".Trash"});
    case Directory::appleMusicCache:
        return underUser({"Library", "Caches", "com.apple.Music"});
    case Directory::safariCache:
        return underUser({"Library", "Caches", "com.apple.safari"});
    case Directory::spotifyCache:
        return underUser({"Library", "Caches", "com.spotify.client"});
    case Directory::mailAttachments:
        return underUser(
            {"Library", "Containers", "com.apple.mail", "Data", "Library", "Mail Downloads"});
    case Directory::userLaunchAgents:
        return underUser({"Library", "LaunchAgents"});
    case Directory::userLaunchDaemons:
        return underUser({"Library", "LaunchDaemons"});
    case Directory::xcode:
        return underUser({"Library", "Developer", "Xcode"});
    case Directory::volumes:
        return Url::folder(SystemRoot::resolve("/Volumes"));
    case Directory::documents:
        return Url::folder("/Users/" + loginName() + "/Documents");
    case Directory::downloads:
        return Url::folder("/Users/" + loginName() + "/Downloads");
    case Directory::appDocuments: {
        const QString documents =
            QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
        return Url::folder(documents.isEmpty() ? homeFolderPath() + "/Documents"
                                               : documents.toStdString());
    }
    case Directory::safari:
        // Built from the library's path text rather than as a folder component.
        return Url(url(Directory::library).path() + "/Safari");
    case Directory::appleMapsCache:
        return underUser({"Library", "Containers", "com.apple.Maps"});
    }
    return {};
}

} // namespace sorvane
