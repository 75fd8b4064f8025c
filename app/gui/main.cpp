// Sorvane: finds and removes junk data in the user's account.

#include "SorvaneWindow.h"
#include "platform/DescriptorLimit.h"

#include <QGuiApplication>
#include <QIcon>
#include <QQuickStyle>

int main(int argc, char** argv) {
    sorvane::DescriptorLimit::raiseToHardLimit();
    QGuiApplication application(argc, argv);
    QGuiApplication::setOrganizationName(QStringLiteral("Sorvane"));
    QGuiApplication::setApplicationName(QStringLiteral("Sorvane"));
    QGuiApplication::setWindowIcon(QIcon(QStringLiteral(":/sorvane/symbols/sorvane.svg")));
    QQuickStyle::setStyle(QStringLiteral("Basic"));
    // Closing the one window ends the application.
    QGuiApplication::setQuitOnLastWindowClosed(true);

    const sorvane::SorvaneWindow window;
    if (!window.isLoaded()) {
        return 1;
    }
    return QGuiApplication::exec();
}
