#pragma once

#include <QObject>

#include <memory>

class QQmlApplicationEngine;
class QQuickWindow;

namespace sorvane {

class KeptListModel;
class ScheduleViewModel;
class MainViewModel;
class ResultListModel;
class SettingsViewModel;
class ViewModels;

// The application's one window with the view models behind it, for the process and for tests:
// makes the settings and the main view model (which may start searching at once), the lists the
// results screen and the Kept panel show, and loads the screens.
class SorvaneWindow : public QObject {
    Q_OBJECT

public:
    SorvaneWindow();
    ~SorvaneWindow() override;

    // False when the screens could not be loaded.
    bool isLoaded() const;
    QQuickWindow* window() const;
    QQmlApplicationEngine& engine() const { return *engine_; }
    MainViewModel& mainViewModel() const { return *main_; }
    ViewModels& viewModels() const { return *viewModels_; }

protected:
    // Follows the desktop's colour scheme when its palette changes while the window is open.
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    std::unique_ptr<SettingsViewModel> settings_;
    std::unique_ptr<MainViewModel> main_;
    std::unique_ptr<ResultListModel> results_;
    std::unique_ptr<KeptListModel> kept_;
    std::unique_ptr<ScheduleViewModel> schedule_;
    std::unique_ptr<ViewModels> viewModels_;
    std::unique_ptr<QQmlApplicationEngine> engine_;
};

// Whether the desktop draws in a dark colour scheme; SORVANE_COLOR_SCHEME=dark|light decides first.
bool prefersDarkScheme();

} // namespace sorvane
