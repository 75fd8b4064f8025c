// Sorvane: finds and removes junk data in the user's account.

#include "SorvaneWindow.h"
#include "platform/fs/DescriptorLimit.h"
#include "platform/fs/Shutdown.h"

#include <QGuiApplication>
#include <QIcon>

int main(int argc, char** argv) {
    sorvane::DescriptorLimit::raiseToHardLimit();
    QGuiApplication application(argc, argv);
    QGuiApplication::setOrganizationName(QStringLiteral("Sorvane"));
    QGuiApplication::setApplicationName(QStringLiteral("Sorvane"));
    // Ties the window to the installed desktop entry (its name and icon in docks and task bars).
    QGuiApplication::setDesktopFileName(QStringLiteral("org.sorvane.Sorvane"));
    QGuiApplication::setWindowIcon(QIcon(QStringLiteral(":/sorvane/symbols/sorvane.svg")));
    // Closing the one window ends the application.
    QGuiApplication::setQuitOnLastWindowClosed(true);

    const sorvane::SorvaneWindow window;
    if (!window.isLoaded()) {
        return 1;
    }
    const int status = QGuiApplication::exec();
    // Before the window and its engine go: their threads stop at their next entry and are
    // waited for, and nothing runs on into what the end of the process destroys.
    sorvane::Shutdown::begin();
    return status;
}
