#include "CleaningProgressViewModel.h"

#include "AppStrings.h"

#include "platform/text/IO.h"

#include <algorithm>

namespace sorvane {

namespace {

QString sized(std::uint64_t bytes) {
    return QString::fromStdString(IO::formattedSize(bytes));
}

} // namespace

void CleaningProgressViewModel::show(const CleaningProgress& progress) {
    progress_ = progress;
    emit changed();
}

QString CleaningProgressViewModel::itemsText() const {
    return AppStrings::plural("CLEANING_ITEMS", static_cast<std::int64_t>(progress_.itemsTotal))
        .arg(progress_.itemsDone);
}

QString CleaningProgressViewModel::bytesText() const {
    return AppStrings::text("CLEANING_BYTES")
        .arg(sized(progress_.bytesDone), sized(progress_.bytesTotal));
}

double CleaningProgressViewModel::fraction() const {
    if (progress_.itemsTotal == 0) {
        return 0;
    }
    return std::min(1.0, static_cast<double>(progress_.itemsDone) /
                             static_cast<double>(progress_.itemsTotal));
}

} // namespace sorvane
