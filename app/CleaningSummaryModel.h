#pragma once

#include "engine/CleaningReport.h"

#include <QAbstractListModel>
#include <QString>
#include <QStringList>

namespace sorvane {

// What the last cleaning did, for the summary screen: the space freed on disk (per file system
// when it freed space on more than one), how many items went, and one row per location that
// stayed, with its reason in words, the system's message and a way to show it in the file
// manager.
class CleaningSummaryModel : public QAbstractListModel {
    Q_OBJECT
    Q_PROPERTY(QString title READ title NOTIFY summaryChanged)
    Q_PROPERTY(QString freedText READ freedText NOTIFY summaryChanged)
    // One line per file system, empty when only one gave space back.
    Q_PROPERTY(QStringList freedByFileSystem READ freedByFileSystem NOTIFY summaryChanged)
    Q_PROPERTY(QString cleanedText READ cleanedText NOTIFY summaryChanged)
    Q_PROPERTY(QString remainingText READ remainingText NOTIFY summaryChanged)
    Q_PROPERTY(QString historyPath READ historyPath CONSTANT)

public:
    enum Role {
        PathRole = Qt::UserRole + 1,
        // The reason's stable word, such as "permission-denied".
        ReasonRole,
        // The reason as a sentence in the user's language.
        ReasonTextRole,
        MessageRole,
        // The whole row in one sentence, for screen readers.
        DescriptionRole,
    };
    Q_ENUM(Role)

    explicit CleaningSummaryModel(QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QHash<int, QByteArray> roleNames() const override;

    void show(const CleaningSummary& summary);
    const CleaningSummary& summary() const { return summary_; }

    QString title() const;
    QString freedText() const;
    QStringList freedByFileSystem() const;
    QString cleanedText() const;
    QString remainingText() const;
    QString historyPath() const { return historyPath_; }

    // Shows a location that stayed in the file manager.
    Q_INVOKABLE void reveal(int row) const;
    // Shows the journal of cleanings in the file manager, or its folder when there is none yet.
    Q_INVOKABLE void revealHistory() const;

    // The sentence that says why a location stayed.
    static QString reasonText(RemovalReason reason);

signals:
    void summaryChanged();

private:
    CleaningSummary summary_;
    const QString historyPath_;
};

} // namespace sorvane
