#include "WhatsAppFinder.h"

#include "FinderBlocks.h"
#include "platform/fs/Path.h"
#include "platform/places/Directory.h"

namespace sorvane {

using namespace finder;

WhatsAppFinder::WhatsAppFinder()
    : CategoryFinder("WHATSAPP_CACHE", applicationIcon("WhatsApp"),
                     QStringLiteral("desktop.WhatsApp"))
    , filesAndDirectories_{QStringLiteral("Cache"),
                           QStringLiteral("Code Cache"),
                           QStringLiteral("Cookies"),
                           QStringLiteral("Cookies-journal"),
                           QStringLiteral("Crashpad"),
                           QStringLiteral("Dictionaries"),
                           QStringLiteral("File System"),
                           QStringLiteral("GPUCache"),
                           QStringLiteral("Network Persistent State"),
                           QStringLiteral("Preferences"),
                           QStringLiteral("QuotaManager"),
                           QStringLiteral("QuotaManager-journal"),
                           QStringLiteral("Service Worker"),
                           QStringLiteral("Session Storage"),
                           QStringLiteral("TransportSecurity"),
                           QStringLiteral("voip_crash_log.txt")} {}

void WhatsAppFinder::search() {
    const Url base = Path::appending(
        url(Directory::containers), {"desktop.WhatsApp", "Data", "Library", "Application Support"});
    for (const Url& entry : deepWalk(base)) {
        if (filesAndDirectories_.contains(QString::fromStdString(entry.lastPathComponent()))) {
            found().add(plainItem(entry));
        }
    }
}

} // namespace sorvane
