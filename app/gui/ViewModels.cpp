#include "ViewModels.h"

#include "AppStrings.h"
#include "IconSource.h"

#include "platform/fs/Path.h"

#include <QJSEngine>

namespace sorvane {

namespace {

ViewModels* processInstance = nullptr;

} // namespace

ViewModels::ViewModels(MainViewModel& main, SettingsViewModel& settings, ResultListModel& results,
                       KeptListModel& kept, ScheduleViewModel& schedule, QObject* parent)
    : QObject(parent)
    , main_(main)
    , settings_(settings)
    , results_(results)
    , kept_(kept)
    , schedule_(schedule) {
    processInstance = this;
}

ViewModels::~ViewModels() {
    if (processInstance == this) {
        processInstance = nullptr;
    }
}

ViewModels* ViewModels::create(QQmlEngine* /*engine*/, QJSEngine* /*scripts*/) {
    QJSEngine::setObjectOwnership(processInstance, QJSEngine::CppOwnership);
    return processInstance;
}

void ViewModels::setDarkScheme(bool dark) {
    darkScheme_ = dark;
    emit darkSchemeChanged();
}

void ViewModels::chooseFolder(PermissionViewModel* row, const QList<QUrl>& chosen) {
    QStringList paths;
    for (const QUrl& url : chosen) {
        if (url.isLocalFile()) {
            paths.append(url.toLocalFile());
        }
    }
    main_.chooseFolder(row, paths);
}

void ViewModels::pickSortOrder(int sortBy) {
    const auto order = sortByFromRawValue(sortBy);
    if (!order) {
        return;
    }
    settings_.setSortBy(*order);
    main_.sort(*order);
}

void ViewModels::pickAgeLimit(int choice) {
    const auto& choices = SettingsViewModel::ageChoices;
    if (choice < 0 || choice >= static_cast<int>(choices.size()) ||
        choice == settings_.ageChoice()) {
        return;
    }
    const int days = choices[static_cast<std::size_t>(choice)];
    settings_.setOlderThanDays(days);
    main_.setOlderThanDays(days);
}

QString ViewModels::fileIcon(const QString& path) const {
    return QStringLiteral("image://sorvane/") + iconSource(Path::icon(path.toStdString()));
}

QUrl ViewModels::folderUrl(const QString& path) const {
    return QUrl::fromLocalFile(path);
}

QString ViewModels::text(const QString& key) const {
    return AppStrings::text(key.toUtf8().constData());
}

QString ViewModels::rowName(const QString& name, const QString& size) const {
    return AppStrings::text("ACCESSIBLE_ROW").arg(name, size);
}

} // namespace sorvane
