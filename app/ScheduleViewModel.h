#pragma once

#include "platform/schedule/Schedule.h"

#include <QAbstractListModel>
#include <QString>

#include <functional>
#include <optional>
#include <string>
#include <thread>
#include <vector>

namespace sorvane {

// The "Clean Automatically" dialog: the categories to clean on a schedule with a check box each,
// how often, from what age on, and when the schedule runs next and how the newest cleaning
// ended. Nothing is written until confirm(): the choices live here until then. Reading and
// writing the units and asking the service manager happen on a thread of their own, one job at
// a time, so that the window never waits for them.
class ScheduleViewModel : public QAbstractListModel {
    Q_OBJECT
    // 0 daily, 1 weekly, 2 monthly.
    Q_PROPERTY(int frequency READ frequency WRITE setFrequency NOTIFY choicesChanged)
    // 0 cleans whatever the age.
    Q_PROPERTY(int olderThanDays READ olderThanDays WRITE setOlderThanDays NOTIFY choicesChanged)
    Q_PROPERTY(bool scheduled READ scheduled NOTIFY stateChanged)
    Q_PROPERTY(bool busy READ busy NOTIFY stateChanged)
    Q_PROPERTY(bool canConfirm READ canConfirm NOTIFY choicesChanged)
    Q_PROPERTY(QString nextRun READ nextRun NOTIFY stateChanged)
    Q_PROPERTY(QString lastRun READ lastRun NOTIFY stateChanged)
    // What the last confirm or turn-off did, or why it could not.
    Q_PROPERTY(QString status READ status NOTIFY stateChanged)

public:
    enum Role { KeyRole = Qt::UserRole + 1, NameRole, CheckedRole };
    Q_ENUM(Role)

    struct Category {
        std::string key;
        QString name;
    };
    // categories: those the window offers, in its order. cli: the program the service runs,
    // empty when there is none. unitFolder: the user's systemd folder.
    ScheduleViewModel(std::vector<Category> categories, std::string cli, std::string unitFolder,
                      QObject* parent = nullptr);
    ~ScheduleViewModel() override;

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role) override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    QHash<int, QByteArray> roleNames() const override;

    int frequency() const { return static_cast<int>(every_); }
    void setFrequency(int frequency);
    int olderThanDays() const { return olderThanDays_; }
    void setOlderThanDays(int days);
    bool scheduled() const { return scheduled_; }
    bool busy() const { return busy_; }
    bool canConfirm() const;
    const QString& nextRun() const { return nextRun_; }
    const QString& lastRun() const { return lastRun_; }
    const QString& status() const { return status_; }

    // Reads what is scheduled; with nothing scheduled, offers the trash and the thumbnails of
    // more than 30 days, weekly.
    Q_INVOKABLE void load();
    Q_INVOKABLE void setChecked(int row, bool checked);
    // Writes the units of the choices and enables the timer.
    Q_INVOKABLE void confirm();
    // Disables the timer and removes the units.
    Q_INVOKABLE void turnOff();

signals:
    void choicesChanged();
    void stateChanged();

private:
    struct Found {
        std::optional<Schedule> schedule;
        QString nextRun;
        QString lastRun;
        QString status;
    };
    // Runs the job on the worker and hands its answer to the main thread.
    void start(std::function<Found()> job);
    void show(const Found& found);
    // What the units in the folder and the journal say; run on the worker, which works on copies
    // and never reads this object.
    static Found read(const std::string& unitFolder);
    Schedule chosen() const;

    std::vector<Category> categories_;
    std::vector<bool> checked_;
    const std::string cli_;
    const std::string unitFolder_;
    Frequency every_ = Frequency::weekly;
    int olderThanDays_ = 30;
    bool scheduled_ = false;
    bool busy_ = false;
    QString nextRun_;
    QString lastRun_;
    QString status_;
    std::thread worker_;
};

} // namespace sorvane
