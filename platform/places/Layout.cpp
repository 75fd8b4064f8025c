#include "Layout.h"

#include <QLoggingCategory>

#include "Directory.h"
#include "SystemRoot.h"
#include "platform/fs/Anchor.h"
#include "platform/text/EscapedText.h"

#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <mutex>
#include <sys/stat.h>
#include <unistd.h>

namespace sorvane {

Q_LOGGING_CATEGORY(placesLog, "sorvane.places", QtInfoMsg)

namespace {

struct LayoutState {
    std::mutex mutex;
    std::optional<LayoutKind> kind;
    FreedesktopFolders folders;
};

LayoutState& state() {
    static LayoutState instance;
    return instance;
}

// Called with the state locked.
void fix(LayoutState& layout, LayoutKind kind, const FreedesktopFolders& folders) {
    layout.kind = kind;
    layout.folders = kind == LayoutKind::freedesktop ? folders : FreedesktopFolders{};
    if (kind == LayoutKind::macos) {
        Anchor::setHomeFolder(std::nullopt);
        Anchor::setBaseFolders({});
        return;
    }
    Anchor::setHomeFolder(folders.usable() ? std::optional(folders.home.path()) : std::nullopt);
    std::vector<std::string> anchors;
    if (folders.usable()) {
        anchors = {folders.cache.path(), folders.config.path(), folders.data.path()};
    }
    // System locations such as var/crash are reached from the system root a user may have given.
    if (!SystemRoot::path().empty()) {
        anchors.push_back(Url(SystemRoot::path()).path());
    }
    Anchor::setBaseFolders(std::move(anchors));
}

} // namespace

std::string Layout::home() {
    if (current() == LayoutKind::freedesktop) {
        return freedesktopFolders().home.path();
    }
    return url(Directory::user).path();
}

LayoutKind Layout::current() {
    LayoutState& layout = state();
    const std::lock_guard lock(layout.mutex);
    if (!layout.kind) {
        const auto asked = fromVariable();
        if (const auto* problem = std::get_if<std::string>(&asked)) {
            qCWarning(placesLog).noquote()
                << QString::fromStdString(*problem + "; choosing the layout by the home folder");
        }
        const auto* named = std::get_if<LayoutKind>(&asked);
        fix(layout, named != nullptr ? *named : automatic(), FreedesktopFolders::fromEnvironment());
    }
    return *layout.kind;
}

FreedesktopFolders Layout::freedesktopFolders() {
    current();
    const std::lock_guard lock(state().mutex);
    return state().folders;
}

void Layout::choose(LayoutKind kind) {
    choose(kind, FreedesktopFolders::fromEnvironment());
}

void Layout::choose(LayoutKind kind, const FreedesktopFolders& folders) {
    const std::lock_guard lock(state().mutex);
    fix(state(), kind, folders);
}

LayoutKind Layout::automatic() {
    // The home is an anchor and may be reached through links; its Library folder may not.
    const int home = open(homeFolderPath().c_str(), O_PATH | O_DIRECTORY | O_CLOEXEC);
    if (home < 0) {
        return LayoutKind::freedesktop;
    }
    struct stat info {};
    const bool hasLibrary =
        fstatat(home, "Library", &info, AT_SYMLINK_NOFOLLOW) == 0 && S_ISDIR(info.st_mode);
    close(home);
    return hasLibrary ? LayoutKind::macos : LayoutKind::freedesktop;
}

std::variant<std::monostate, LayoutKind, std::string> Layout::fromVariable() {
    const char* value = std::getenv("SORVANE_LAYOUT"); // NOLINT(concurrency-mt-unsafe)
    if (value == nullptr || *value == '\0') {
        return std::monostate{};
    }
    if (const auto kind = named(value)) {
        return *kind;
    }
    // The value goes to a terminal: what a terminal acts on is shown, not sent.
    return "SORVANE_LAYOUT='" + EscapedText::escape(value) +
           "' names no layout (macos or freedesktop)";
}

std::optional<LayoutKind> Layout::named(std::string_view name) {
    if (name == "macos") {
        return LayoutKind::macos;
    }
    if (name == "freedesktop") {
        return LayoutKind::freedesktop;
    }
    return std::nullopt;
}

const char* Layout::name(LayoutKind kind) {
    return kind == LayoutKind::macos ? "macos" : "freedesktop";
}

} // namespace sorvane
