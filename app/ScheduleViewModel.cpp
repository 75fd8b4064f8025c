#include "ScheduleViewModel.h"

#include "AppStrings.h"
#include "platform/fs/AgeLimit.h"
#include "platform/places/Layout.h"
#include "platform/schedule/LastCleaning.h"
#include "platform/schedule/ScheduleUnits.h"
#include "platform/schedule/UserServiceManager.h"

#include <QPointer>

#include <algorithm>

namespace sorvane {

namespace {

// What the window offers the first time: what piles up without the user noticing.
const std::vector<std::string> offered{"FREEDESKTOP_TRASH", "THUMBNAILS"};
constexpr int offeredDays = 30;

QString lastRunText() {
    const auto last = LastCleaning::read();
    if (!last) {
        return AppStrings::text("SCHEDULE_NO_RUN");
    }
    return AppStrings::text("SCHEDULE_LAST_RUN")
        .arg(QString::fromStdString(last->time))
        .arg(last->removed)
        .arg(last->remaining)
        .arg(last->kept);
}

QString nextRunText() {
    const auto next = UserServiceManager::nextRun(ScheduleUnits::timerName);
    return next ? QString::fromStdString(*next) : AppStrings::text("SCHEDULE_NEXT_UNKNOWN");
}

} // namespace

ScheduleViewModel::ScheduleViewModel(std::vector<Category> categories, std::string cli,
                                     std::string unitFolder, QObject* parent)
    : QAbstractListModel(parent)
    , categories_(std::move(categories))
    , checked_(categories_.size(), false)
    , cli_(std::move(cli))
    , unitFolder_(std::move(unitFolder)) {}

ScheduleViewModel::~ScheduleViewModel() {
    if (worker_.joinable()) {
        worker_.join();
    }
}

int ScheduleViewModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(categories_.size());
}

QVariant ScheduleViewModel::data(const QModelIndex& index, int role) const {
    if (!checkIndex(index, CheckIndexOption::IndexIsValid | CheckIndexOption::ParentIsInvalid)) {
        return {};
    }
    const auto row = static_cast<std::size_t>(index.row());
    switch (role) {
    case KeyRole:
        return QString::fromStdString(categories_[row].key);
    case Qt::DisplayRole:
    case NameRole:
        return categories_[row].name;
    case Qt::CheckStateRole:
        return checked_[row] ? Qt::Checked : Qt::Unchecked;
    case CheckedRole:
        return bool(checked_[row]);
    default:
        return {};
    }
}

bool ScheduleViewModel::setData(const QModelIndex& index, const QVariant& value, int role) {
    if (!checkIndex(index, CheckIndexOption::IndexIsValid | CheckIndexOption::ParentIsInvalid) ||
        (role != CheckedRole && role != Qt::CheckStateRole)) {
        return false;
    }
    const bool checked =
        role == CheckedRole ? value.toBool() : value.toInt() == static_cast<int>(Qt::Checked);
    setChecked(index.row(), checked);
    return true;
}

Qt::ItemFlags ScheduleViewModel::flags(const QModelIndex& index) const {
    const Qt::ItemFlags common = QAbstractListModel::flags(index);
    return index.isValid() ? common | Qt::ItemIsUserCheckable : common;
}

QHash<int, QByteArray> ScheduleViewModel::roleNames() const {
    return {{KeyRole, "key"}, {NameRole, "name"}, {CheckedRole, "chosen"}};
}

void ScheduleViewModel::setFrequency(int frequency) {
    if (frequency < 0 || frequency > static_cast<int>(Frequency::monthly)) {
        return;
    }
    every_ = static_cast<Frequency>(frequency);
    emit choicesChanged();
}

void ScheduleViewModel::setOlderThanDays(int days) {
    olderThanDays_ = std::clamp(days, 0, AgeLimit::mostDays);
    emit choicesChanged();
}

bool ScheduleViewModel::canConfirm() const {
    return !cli_.empty() && std::find(checked_.begin(), checked_.end(), true) != checked_.end();
}

void ScheduleViewModel::setChecked(int row, bool checked) {
    if (row < 0 || row >= rowCount()) {
        return;
    }
    checked_[static_cast<std::size_t>(row)] = checked;
    const QModelIndex changed = index(row);
    emit dataChanged(changed, changed, {Qt::CheckStateRole, CheckedRole});
    emit choicesChanged();
}

Schedule ScheduleViewModel::chosen() const {
    Schedule schedule;
    schedule.every = every_;
    for (std::size_t row = 0; row < categories_.size(); ++row) {
        if (checked_[row]) {
            schedule.categories.push_back(categories_[row].key);
        }
    }
    if (olderThanDays_ > 0) {
        schedule.olderThanDays = olderThanDays_;
    }
    return schedule;
}

ScheduleViewModel::Found ScheduleViewModel::read(const std::string& unitFolder) {
    const ScheduleUnits units(unitFolder);
    const auto installed = units.read();
    Found found;
    if (installed) {
        found.schedule = installed->schedule;
    }
    found.nextRun = installed ? nextRunText() : QString();
    found.lastRun = lastRunText();
    return found;
}

void ScheduleViewModel::load() {
    start([folder = unitFolder_] { return read(folder); });
}

void ScheduleViewModel::confirm() {
    if (!canConfirm() || busy_) {
        return;
    }
    const Schedule schedule = chosen();
    // The window's run is the CLI's on the same home and layout; the service has neither this
    // process's environment nor its folder.
    const std::vector<std::string> options{"--layout", Layout::name(Layout::current())};
    start([folder = unitFolder_, cli = cli_, schedule, options] {
        const ScheduleUnits units(folder);
        if (const auto problem =
                units.write(schedule.every, ScheduleUnits::cleanCommand(cli, schedule, options))) {
            Found found = read(folder);
            found.status =
                AppStrings::text("SCHEDULE_NOT_WRITTEN").arg(QString::fromStdString(*problem));
            return found;
        }
        const auto problem = UserServiceManager::enable(ScheduleUnits::timerName);
        Found found = read(folder);
        found.status =
            problem ? AppStrings::text("SCHEDULE_NOT_ENABLED").arg(QString::fromStdString(*problem))
                    : AppStrings::text("SCHEDULE_ENABLED");
        return found;
    });
}

void ScheduleViewModel::turnOff() {
    if (busy_) {
        return;
    }
    start([folder = unitFolder_] {
        const ScheduleUnits units(folder);
        UserServiceManager::disable(ScheduleUnits::timerName);
        const auto problem = units.remove();
        Found found = read(folder);
        found.status =
            problem ? AppStrings::text("SCHEDULE_NOT_REMOVED").arg(QString::fromStdString(*problem))
                    : AppStrings::text("SCHEDULE_REMOVED");
        return found;
    });
}

void ScheduleViewModel::start(std::function<Found()> job) {
    if (worker_.joinable()) {
        worker_.join();
    }
    busy_ = true;
    emit stateChanged();
    worker_ = std::thread([this, job = std::move(job)] {
        Found found = job();
        // Delivered on the main thread, and dropped if this object went meanwhile (the
        // destructor waits for the worker, so this object is still there to post to).
        QMetaObject::invokeMethod(
            this, [this, found] { show(found); }, Qt::QueuedConnection);
    });
}

void ScheduleViewModel::show(const Found& found) {
    busy_ = false;
    scheduled_ = found.schedule.has_value();
    nextRun_ = found.nextRun;
    lastRun_ = found.lastRun;
    status_ =
        cli_.empty() && found.status.isEmpty() ? AppStrings::text("SCHEDULE_NO_CLI") : found.status;
    // A confirm or turn-off keeps the choices on screen; a load shows what is stored.
    if (found.status.isEmpty()) {
        const Schedule shown =
            found.schedule.value_or(Schedule{Frequency::weekly, offered, offeredDays});
        every_ = shown.every;
        olderThanDays_ = shown.olderThanDays.value_or(0);
        for (std::size_t row = 0; row < categories_.size(); ++row) {
            checked_[row] = std::find(shown.categories.begin(), shown.categories.end(),
                                      categories_[row].key) != shown.categories.end();
        }
        if (!categories_.empty()) {
            emit dataChanged(index(0), index(rowCount() - 1), {Qt::CheckStateRole, CheckedRole});
        }
        emit choicesChanged();
    }
    emit stateChanged();
}

} // namespace sorvane
