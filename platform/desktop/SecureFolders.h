#pragma once

#include "platform/fs/Url.h"

#include <QString>

namespace sorvane {

// Folder grants kept across launches. There is no sandbox here: the stored token is the folder's
// absolute path, and a token that no longer names a folder is stale.
class SecureFolders {
public:
    SecureFolders() = delete;

    // Restores the grant stored under key, if it still names a folder.
    static void restoreAccess(const QString& key);
    // Records a grant of the folder under key; a location that is not a folder is refused and
    // nothing is stored.
    static void grantAccess(const Url& folder, const QString& key);
    // Whether access to exactly this location (folder mark included) was granted in this process.
    static bool isAccessible(const Url& url);
    // Forgets every grant of this process (the stored tokens stay), as a restart would.
    static void forgetAccess();
};

} // namespace sorvane
