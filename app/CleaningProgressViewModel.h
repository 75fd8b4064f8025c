#pragma once

#include "engine/CleaningReport.h"

#include <QObject>
#include <QString>

namespace sorvane {

// The cleaning screen's view of the engine's latest progress report: the location being
// removed, how many items are done and how many bytes are gone. It keeps only the latest
// report, so the window draws at its own pace and never waits for the engine.
class CleaningProgressViewModel : public QObject {
    Q_OBJECT
    Q_PROPERTY(QString location READ location NOTIFY changed)
    // "3 of 10 items".
    Q_PROPERTY(QString itemsText READ itemsText NOTIFY changed)
    // "1.2 MB of 4 MB removed", sized as the rest of the window sizes.
    Q_PROPERTY(QString bytesText READ bytesText NOTIFY changed)
    // From 0 to 1, by items: removal time follows the number of entries more than their size.
    Q_PROPERTY(double fraction READ fraction NOTIFY changed)

public:
    using QObject::QObject;

    void show(const CleaningProgress& progress);
    // Before a new cleaning: nothing done of nothing.
    void clear() { show({}); }

    QString location() const { return QString::fromStdString(progress_.location); }
    QString itemsText() const;
    QString bytesText() const;
    double fraction() const;
    const CleaningProgress& latest() const { return progress_; }

signals:
    void changed();

private:
    CleaningProgress progress_;
};

} // namespace sorvane
