#pragma once

#include "KeptListModel.h"
#include "MainViewModel.h"
#include "ResultListModel.h"
#include "ScheduleViewModel.h"
#include "SettingsViewModel.h"

#include <QList>
#include <QObject>
#include <QUrl>
#include <QtQml/qqmlregistration.h>

class QQmlEngine;
class QJSEngine;

namespace sorvane {

// The process's view models as the window's screens see them: one instance, made before the
// window, handed to QML as a singleton.
class ViewModels : public QObject {
    Q_OBJECT
    QML_ELEMENT
    QML_SINGLETON
    Q_PROPERTY(sorvane::MainViewModel* main READ main CONSTANT)
    Q_PROPERTY(sorvane::SettingsViewModel* settings READ settings CONSTANT)
    Q_PROPERTY(sorvane::ResultListModel* results READ results CONSTANT)
    Q_PROPERTY(sorvane::KeptListModel* kept READ kept CONSTANT)
    Q_PROPERTY(sorvane::ScheduleViewModel* schedule READ schedule CONSTANT)
    Q_PROPERTY(bool darkScheme READ darkScheme WRITE setDarkScheme NOTIFY darkSchemeChanged)

public:
    ViewModels(MainViewModel& main, SettingsViewModel& settings, ResultListModel& results,
               KeptListModel& kept, ScheduleViewModel& schedule, QObject* parent = nullptr);
    ~ViewModels() override;

    // The instance made for this process; QML never owns it.
    static ViewModels* create(QQmlEngine* engine, QJSEngine* scripts);

    MainViewModel* main() const { return &main_; }
    SettingsViewModel* settings() const { return &settings_; }
    ResultListModel* results() const { return &results_; }
    KeptListModel* kept() const { return &kept_; }
    ScheduleViewModel* schedule() const { return &schedule_; }
    // The window is drawn in the dark colour scheme.
    bool darkScheme() const { return darkScheme_; }
    void setDarkScheme(bool dark);

    // The folder chooser's answer for a permission row.
    Q_INVOKABLE void chooseFolder(sorvane::PermissionViewModel* row, const QList<QUrl>& chosen);
    // Applies and stores the sort order picked in the menu.
    Q_INVOKABLE void pickSortOrder(int sortBy);
    // Stores the age limit picked in the menu (an index of its choices) and searches again.
    Q_INVOKABLE void pickAgeLimit(int choice);
    // Image sources of the window's image provider: the file manager's icon of a path, and an
    // icon the core describes (absent gives an empty source).
    Q_INVOKABLE QString fileIcon(const QString& path) const;
    // A folder's location as a URL, for the folder chooser.
    Q_INVOKABLE QUrl folderUrl(const QString& path) const;
    // Display text of a key of the application's string table.
    Q_INVOKABLE QString text(const QString& key) const;
    // The accessible name of a row's check box: the row's name and size. Its state is the check
    // box's own, announced by the screen reader in the user's words.
    Q_INVOKABLE QString rowName(const QString& name, const QString& size) const;

signals:
    void darkSchemeChanged();

private:
    MainViewModel& main_;
    SettingsViewModel& settings_;
    ResultListModel& results_;
    KeptListModel& kept_;
    ScheduleViewModel& schedule_;
    bool darkScheme_ = false;
};

} // namespace sorvane
