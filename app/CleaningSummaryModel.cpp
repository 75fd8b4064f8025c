#include "CleaningSummaryModel.h"

#include "AppStrings.h"

#include "platform/desktop/Finder.h"
#include "platform/fs/MountTable.h"
#include "platform/journal/CleaningJournal.h"
#include "platform/text/IO.h"

#include <sys/sysmacros.h>

namespace sorvane {

namespace {

QString sized(std::uint64_t bytes) {
    return QString::fromStdString(IO::formattedSize(bytes));
}

} // namespace

CleaningSummaryModel::CleaningSummaryModel(QObject* parent)
    : QAbstractListModel(parent)
    , historyPath_(QString::fromStdString(CleaningJournal::path())) {}

int CleaningSummaryModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(summary_.remaining.size());
}

QVariant CleaningSummaryModel::data(const QModelIndex& index, int role) const {
    if (!checkIndex(index, CheckIndexOption::IndexIsValid | CheckIndexOption::ParentIsInvalid)) {
        return {};
    }
    const RemainingLocation& location = summary_.remaining[static_cast<std::size_t>(index.row())];
    switch (role) {
    case Qt::DisplayRole:
    case PathRole:
        return QString::fromStdString(location.path);
    case ReasonRole:
        return QString::fromUtf8(wordOf(location.reason).data(),
                                 static_cast<qsizetype>(wordOf(location.reason).size()));
    case ReasonTextRole:
        return reasonText(location.reason);
    case MessageRole:
        return QString::fromStdString(location.message);
    case DescriptionRole:
        // In one pass, so that a "%1" in a path or a message stays as it is.
        return AppStrings::text("REMAINING_ROW")
            .arg(QString::fromStdString(location.path), reasonText(location.reason),
                 QString::fromStdString(location.message));
    default:
        return {};
    }
}

QHash<int, QByteArray> CleaningSummaryModel::roleNames() const {
    return {{PathRole, "path"},
            {ReasonRole, "reason"},
            {ReasonTextRole, "reasonText"},
            {MessageRole, "message"},
            {DescriptionRole, "description"}};
}

void CleaningSummaryModel::show(const CleaningSummary& summary) {
    beginResetModel();
    summary_ = summary;
    endResetModel();
    emit summaryChanged();
}

QString CleaningSummaryModel::title() const {
    return AppStrings::text(summary_.stopped ? "SUMMARY_STOPPED_TITLE" : "SUMMARY_TITLE");
}

QString CleaningSummaryModel::freedText() const {
    return AppStrings::text("SUMMARY_FREED").arg(sized(summary_.freed.total()));
}

QStringList CleaningSummaryModel::freedByFileSystem() const {
    QStringList lines;
    const auto& byDevice = summary_.freed.byDevice();
    if (byDevice.size() < 2) {
        return lines;
    }
    for (const auto& [device, bytes] : byDevice) {
        // Where it is mounted, else the device number as the system shows it.
        const auto point = MountTable::mountPointOf(device);
        const QString name = point ? QString::fromStdString(*point)
                                   : QStringLiteral("%1:%2").arg(major(device)).arg(minor(device));
        lines.append(AppStrings::text("SUMMARY_FREED_ON").arg(sized(bytes), name));
    }
    return lines;
}

QString CleaningSummaryModel::cleanedText() const {
    return AppStrings::plural("SUMMARY_CLEANED", static_cast<std::int64_t>(summary_.itemsCleaned));
}

QString CleaningSummaryModel::remainingText() const {
    return summary_.remaining.empty()
               ? QString()
               : AppStrings::plural("SUMMARY_REMAINING",
                                    static_cast<std::int64_t>(summary_.remaining.size()));
}

void CleaningSummaryModel::reveal(int row) const {
    if (row >= 0 && row < rowCount()) {
        Finder::reveal(Url(summary_.remaining[static_cast<std::size_t>(row)].path));
    }
}

void CleaningSummaryModel::revealHistory() const {
    // The file manager selects the journal; without one it opens the folder it would be in.
    Finder::reveal(Url(historyPath_.toStdString()));
}

QString CleaningSummaryModel::reasonText(RemovalReason reason) {
    switch (reason) {
    case RemovalReason::none:
        return {};
    case RemovalReason::permissionDenied:
        return AppStrings::text("REASON_PERMISSION_DENIED");
    case RemovalReason::readOnly:
        return AppStrings::text("REASON_READ_ONLY");
    case RemovalReason::mountPoint:
        return AppStrings::text("REASON_MOUNT_POINT");
    case RemovalReason::kept:
        return AppStrings::text("REASON_KEPT");
    case RemovalReason::alreadyGone:
        return AppStrings::text("REASON_ALREADY_GONE");
    case RemovalReason::stopped:
        return AppStrings::text("REASON_STOPPED");
    case RemovalReason::failed:
        break;
    }
    return AppStrings::text("REASON_FAILED");
}

} // namespace sorvane
