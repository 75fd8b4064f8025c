#include "Finder.h"

#include <QByteArray>
#include <QProcess>
#include <QString>
#include <QStringList>

namespace sorvane {

namespace {

// Asks the freedesktop file-manager service over the session bus and, when that call fails
// (no bus, no such service, an error reply), opens the parent folder instead. Both paths are
// passed as arguments, never pasted into the script, so no file name can be taken as code.
constexpr auto revealScript =
    "dbus-send --session --print-reply --reply-timeout=5000 "
    "--dest=org.freedesktop.FileManager1 /org/freedesktop/FileManager1 "
    "org.freedesktop.FileManager1.ShowItems \"array:string:$1\" string: >/dev/null 2>&1 "
    "|| exec xdg-open \"$2\" >/dev/null 2>&1";

// Every byte outside the unreserved set is percent-encoded: names that are not valid text survive,
// and no "," can split dbus-send's array argument.
QString fileUri(const std::string& path) {
    const QByteArray encoded =
        QByteArray(path.data(), static_cast<qsizetype>(path.size())).toPercentEncoding("/");
    return QStringLiteral("file://") + QString::fromLatin1(encoded);
}

} // namespace

void Finder::reveal(const Url& url) {
    if (url.isEmpty()) {
        return;
    }
    const Url parent = url.deletingLastPathComponent();
    QProcess::startDetached(QStringLiteral("/bin/sh"),
                            {QStringLiteral("-c"), QString::fromLatin1(revealScript),
                             QStringLiteral("sorvane-reveal"), fileUri(url.path()),
                             fileUri(parent.path())});
}

} // namespace sorvane
