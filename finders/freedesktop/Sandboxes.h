#pragma once

#include "platform/fs/Url.h"

#include <QString>

#include <optional>
#include <string>
#include <vector>

// Applications installed as a Flatpak (<home>/.var/app/<id>) or a Snap (<home>/snap/<name>),
// with the folders their sandbox gives them in place of the XDG base folders.
namespace sorvane::finder {

struct Sandbox {
    std::string id; // the Flatpak application id, or the Snap's name
    bool snap = false;
    std::vector<Url> configFolders;
    std::vector<Url> cacheFolders;
};

// Every Flatpak application's folder, then every Snap's, each in listing order. A Snap's
// configuration and revision cache are those of its current revision; without one, only its
// common cache.
std::vector<Sandbox> sandboxes();

// The folder of a Snap's current revision: the plain name its "current" link holds, when a
// folder of that name lies beside the link. The link is read, never followed, so that it cannot
// lead outside the Snap's folder.
std::optional<Url> currentRevision(const Url& snapFolder);

// The name of the application's installed desktop entry, else its id.
QString displayName(const Sandbox& sandbox);

// The roots that categories of one program read, so that the categories that recognise
// programs by what their folders hold leave those to them.
std::vector<Url> programRoots();
// Whether a location is one of the roots, lies inside one or holds one.
bool touchesAny(const Url& location, const std::vector<Url>& roots);

} // namespace sorvane::finder
