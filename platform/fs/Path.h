#pragma once

#include "AgeLimit.h"
#include "ItemStatus.h"
#include "MeasuredSize.h"
#include "PathType.h"
#include "RemovalOutcome.h"
#include "StopFlag.h"
#include "Url.h"
#include "WalkStep.h"
#include "platform/icons/Icon.h"
#include "platform/keep/KeepList.h"
#include "platform/keep/KeptLocation.h"

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace sorvane {

// Stateless file-system operations. Missing or unreadable things read as invalid, 0, empty or
// false; a size says whether it is whole, a removal what it left and why. A folder that cannot
// be listed and a removal that leaves something behind are logged (sorvane.fs), with the
// system's error text.
//
// Every location is reached from its anchor (see Anchor) without following a link below it:
// a location whose path passes through a link is missing for every operation here, and a
// location that is itself a link is looked at, measured and removed as the link. Nothing is
// listed, counted or removed across a mount point.
class Path {
public:
    Path() = delete;

    // A link reads as a file.
    static PathType pathType(const std::string& path);
    // The logical size of one item, the item itself when it is a link.
    static std::uint64_t fileSize(const Url& url);
    // The summed logical size of everything below a folder: hidden entries included, package
    // contents entered, links counted with their own size and never followed. A location that
    // is not a folder (a link to one included) gives 0. A folder that could not be read whole
    // gives what was seen, marked incomplete.
    static MeasuredSize directorySize(const Url& url);
    // What deleting the location would free: 0 when nothing is there, a folder its contents,
    // anything else (a link included) its own size.
    static MeasuredSize size(const Url& url);
    // The same without what the keep list keeps: 0 for a kept location, else the size less what
    // is kept below it.
    static MeasuredSize size(const Url& url, const KeepList& keep);
    // The kept locations at or below a location, each with what it holds, the outermost only:
    // the location itself when it is kept, else those found below it, looked for only where the
    // keep list may name something.
    // The old part of that: by a limit on files, the old files and links at or below the
    // location, each by its own times; by a limit on a whole unit, everything when all of it is
    // old, else 0. Any age gives the size above.
    static MeasuredSize size(const Url& url, const KeepList& keep, const AgeLimit& age);
    // Whether the location has an old part that is not kept; by a whole limit, whether it is
    // there and all of it is old.
    static bool holdsOld(const Url& url, const KeepList& keep, const AgeLimit& age);
    static std::vector<KeptLocation> keptWithin(const Url& url, const KeepList& keep);
    // Whether all that is at a location is kept or on the way to something kept: a removal
    // left it as it had to.
    static bool holdsOnlyKept(const Url& url, const KeepList& keep);

    // A folder's immediate children with hidden ones skipped, either only its sub-folders or
    // only its other entries. An entry that is a link is returned as its target when that lies
    // inside the folder, and left out otherwise. A folder that cannot be listed is logged and
    // gives an empty list.
    static std::vector<Url> contents(const Url& folder, bool directories);
    // The non-hidden entries of a folder (descend false) or of its whole tree (descend true),
    // a folder before what it holds, packages yielded but never entered, links never followed.
    // Folders (packages too) carry the folder mark. Names are in byte order within a folder.
    static std::vector<Url> entries(const Url& folder, bool descend);
    // Every entry of the deep walk that is not a plain folder; a package counts as a file.
    static std::vector<Url> files(const Url& folder);
    // As files(), keeping entries whose name ends with the suffix (case-sensitive).
    static std::vector<Url> files(const Url& folder, const std::string& suffix);

    static Url appending(const Url& url, const std::vector<std::string>& components);
    // A link counts as something.
    static bool exists(const Url& url);
    // True only when a folder (not a link to one) is there.
    static bool isDirectory(const std::string& path);
    // True when the folder's extension marks it as a package whose contents walks skip.
    static bool isPackage(const Url& url);
    // The file viewer's icon for the item.
    static Image icon(const std::string& path);
    // The sub-folders of the containers folder, without those of the system ("com.apple.").
    static std::vector<Url> containers(bool excludingSystem);
    // Whether the current user may remove the item: it exists and its folder lets us unlink it.
    static bool isDeletable(const std::string& path);

    // Removes a file, a link (as a link) or a whole folder without ever following a link; says
    // whether nothing is left at the location and, when something failed, the first failure
    // and where it happened (also logged, once). Whatever the location, what the keep list keeps
    // stays, with the folders on the way to it: a kept location is not touched at all. The
    // outcome says what the removal freed on disk: the allocated size of each entry whose last
    // link went, per file system. Given a stop flag, the removal looks at it before each entry
    // and, once asked, ends there: what went stays gone, and the outcome says it was stopped.
    static RemovalOutcome remove(const Url& url, const KeepList& keep,
                                 const StopFlag* stop = nullptr);
    // The same, taking only what is old. By a limit on files, each file and link goes only when
    // old by its own times, the folders it leaves empty go with it (as do empty ones not written
    // since the cutoff), and a location that is a
    // folder stays itself; by a limit on a whole unit, the location goes whole when all of it
    // is old and is not touched otherwise. What stays for its age is no failure.
    static RemovalOutcome remove(const Url& url, const KeepList& keep, const AgeLimit& age,
                                 const StopFlag* stop = nullptr);
    // True only when the system says that nothing is at the location; a location that cannot be
    // looked at (a link on the way, a path too long) is not gone.
    static bool isGone(const Url& url);
    // Whether the path itself (not what it leads to) is a symbolic link.
    static bool isLink(const std::string& path);
    // The process's working folder, against which relative paths given by the user are read;
    // empty when it cannot be told (removed, or too long).
    static std::string workingFolder();
    // A path given by the user, read against the working folder and written without "." and
    // ".." components or a trailing slash; unchanged when the working folder cannot be told.
    static std::string absolute(const std::string& path);

    // What lies at the location itself (a link as the link) and who owns it; nothing when
    // nothing is there or it cannot be looked at.
    static std::optional<ItemStatus> itemStatus(const Url& url);
    // The text a link at the location holds, read without following it (readlinkat on the
    // folder reached from the anchor); nothing when no link lies there.
    static std::optional<std::string> linkText(const Url& url);
    // Every entry of a folder, hidden ones included, in byte order of their names, each as it
    // lies there: links are entries of their own and never followed. Folders where another file
    // system is mounted are left out. Empty when the folder cannot be listed.
    static std::vector<FolderEntry> everyEntry(const Url& folder);
    // Walks the tree below a folder, a folder before what it holds, in byte order of the names
    // within each folder, hidden entries included and links never followed. visit answers for
    // each entry whether to walk into it (only a folder can be entered), pass it by or end the
    // walk; the walk also ends when the process does. Folders where another file system is
    // mounted are not visited.
    static void walk(const Url& folder, const std::function<WalkStep(const FolderEntry&)>& visit);

private:
    static RemovalOutcome removeLocation(const Url& url, const KeepList& keep, const AgeLimit& age,
                                         const StopFlag* stop);
};

} // namespace sorvane
