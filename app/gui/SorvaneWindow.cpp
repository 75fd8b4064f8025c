#include "SorvaneWindow.h"

#include "IconImageProvider.h"
#include "KeptListModel.h"
#include "MainViewModel.h"
#include "ResultListModel.h"
#include "ScheduleViewModel.h"
#include "SettingsViewModel.h"
#include "ViewModels.h"
#include "finders/PredefinedCategories.h"
#include "platform/schedule/ScheduleUnits.h"

#include <QEvent>
#include <QGuiApplication>
#include <QIcon>
#include <QPalette>
#include <QQmlApplicationEngine>
#include <QQuickStyle>
#include <QQuickWindow>
#include <QStandardPaths>
#include <QtQml/qqmlextensionplugin.h>

Q_IMPORT_QML_PLUGIN(Sorvane_ComponentsPlugin)
Q_IMPORT_QML_PLUGIN(Sorvane_AppPlugin)

namespace sorvane {

// The categories of the layout in use for the Clean Automatically dialog, and the CLI that the
// scheduled run starts: the one installed beside this program, else the one on the search path.
std::unique_ptr<ScheduleViewModel> makeSchedule() {
    std::vector<ScheduleViewModel::Category> categories;
    for (const auto& category : predefinedCategories()) {
        categories.push_back({category->key(), category->result()->name()});
    }
    const auto program = ScheduleUnits::runningProgram();
    const auto cli = program ? ScheduleUnits::cliBeside(*program) : std::nullopt;
    return std::make_unique<ScheduleViewModel>(std::move(categories), cli.value_or(""),
                                               ScheduleUnits::userFolder(std::nullopt));
}

bool prefersDarkScheme() {
    const QByteArray chosen = qgetenv("SORVANE_COLOR_SCHEME");
    if (chosen == "dark" || chosen == "light") {
        return chosen == "dark";
    }
    const QColor window = QGuiApplication::palette().color(QPalette::Window);
    return window.lightness() < 128;
}

SorvaneWindow::SorvaneWindow()
    : settings_(std::make_unique<SettingsViewModel>())
    , main_(std::make_unique<MainViewModel>())
    , results_(std::make_unique<ResultListModel>(*main_))
    , kept_(std::make_unique<KeptListModel>(*main_))
    , schedule_(makeSchedule())
    , viewModels_(std::make_unique<ViewModels>(*main_, *settings_, *results_, *kept_, *schedule_))
    , engine_(std::make_unique<QQmlApplicationEngine>()) {
    // Desktops that name no icon theme (and platforms that look nowhere for one) still get
    // folder and file-type icons.
    QStringList searchPaths = QIcon::themeSearchPaths();
    for (const QString& icons :
         QStandardPaths::locateAll(QStandardPaths::GenericDataLocation, QStringLiteral("icons"),
                                   QStandardPaths::LocateDirectory)) {
        if (!searchPaths.contains(icons)) {
            searchPaths.append(icons);
        }
    }
    QIcon::setThemeSearchPaths(searchPaths);
    if (QIcon::themeName().isEmpty() || QIcon::themeName() == QStringLiteral("hicolor")) {
        QIcon::setThemeName(QStringLiteral("Adwaita"));
    }
    QIcon::setFallbackThemeName(QStringLiteral("Adwaita"));
    viewModels_->setDarkScheme(prefersDarkScheme());
    QGuiApplication::instance()->installEventFilter(this);
    // The screens are drawn for this style, in the application and in its tests alike.
    QQuickStyle::setStyle(QStringLiteral("Basic"));
    engine_->addImportPath(QStringLiteral("qrc:/qt/qml"));
    engine_->addImageProvider(QStringLiteral("sorvane"), new IconImageProvider);
    engine_->load(QUrl(QStringLiteral("qrc:/qt/qml/Sorvane/App/qml/Main.qml")));
}

SorvaneWindow::~SorvaneWindow() {
    // The screens go before the objects they show.
    engine_.reset();
}

bool SorvaneWindow::eventFilter(QObject* watched, QEvent* event) {
    if (watched == QGuiApplication::instance() &&
        event->type() == QEvent::ApplicationPaletteChange) {
        viewModels_->setDarkScheme(prefersDarkScheme());
    }
    return QObject::eventFilter(watched, event);
}

bool SorvaneWindow::isLoaded() const {
    return window() != nullptr;
}

QQuickWindow* SorvaneWindow::window() const {
    const auto roots = engine_->rootObjects();
    return roots.isEmpty() ? nullptr : qobject_cast<QQuickWindow*>(roots.first());
}

} // namespace sorvane
