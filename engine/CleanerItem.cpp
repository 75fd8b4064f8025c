#include "CleanerItem.h"

#include "platform/fs/Path.h"
#include "platform/text/IO.h"

#include <algorithm>

namespace sorvane {

namespace {

QString nameOf(const Url& url) {
    return QString::fromStdString(url.lastPathComponent());
}

} // namespace

CleanerItem::CleanerItem(Url url, std::optional<CleanerSeverity> customSeverity)
    : url_(std::move(url))
    , name_(nameOf(*url_))
    , customSeverity_(customSeverity) {}

CleanerItem::CleanerItem(QString name, std::optional<CleanerSeverity> customSeverity, Image icon,
                         std::optional<Url> url)
    : url_(std::move(url))
    , name_(std::move(name))
    , icon_(std::move(icon))
    , customSeverity_(customSeverity) {}

CleanerItem::CleanerItem(QString name, const std::vector<Url>& suburls,
                         std::optional<CleanerSeverity> customSeverity, Image icon)
    : suburls_(suburls)
    , name_(std::move(name))
    , icon_(std::move(icon))
    , customSeverity_(customSeverity) {}

CleanerItem::CleanerItem(QString name, Url url, std::optional<CleanerSeverity> customSeverity)
    : url_(std::move(url))
    , name_(std::move(name))
    , customSeverity_(customSeverity) {}

void CleanerItem::removeSuburlWithPath(const std::string& path) {
    const auto found = std::find_if(suburls_.begin(), suburls_.end(),
                                    [&](const Url& suburl) { return suburl.path() == path; });
    if (found != suburls_.end()) {
        suburls_.erase(found);
    }
}

QString CleanerItem::detail() const {
    return QString::fromStdString(IO::formattedSize(size()));
}

std::int64_t CleanerItem::count() const {
    if (details_.empty()) {
        return 1;
    }
    std::int64_t total = 0;
    for (const auto& detail : details_) {
        total += detail->count();
    }
    return total;
}

CleanerSeverity CleanerItem::severity() const {
    if (customSeverity_) {
        return *customSeverity_;
    }
    CleanerSeverity highest = CleanerSeverity::low;
    for (const auto& detail : details_) {
        highest = std::max(highest, detail->severity());
    }
    return highest;
}

std::optional<AgeLimit> CleanerItem::removalAge() const {
    if (age_.any()) {
        return age_;
    }
    switch (ageBasis_) {
    case AgeBasis::files:
        return age_;
    case AgeBasis::wholeUnit:
        return age_.asWhole();
    case AgeBasis::deletionDate:
        // Old by its date, an entry goes whole with its record, however recently used.
        if (deletedAt_ && age_.isOld(*deletedAt_)) {
            return AgeLimit();
        }
        return std::nullopt;
    }
    return std::nullopt;
}

bool CleanerItem::hasOldPart() const {
    const std::optional<AgeLimit> age = removalAge();
    if (!age) {
        return false;
    }
    const KeepList none;
    const KeepList& keep = keep_ ? *keep_ : none;
    if (url_ && Path::holdsOld(*url_, keep, *age)) {
        return true;
    }
    return std::any_of(suburls_.begin(), suburls_.end(),
                       [&](const Url& suburl) { return Path::holdsOld(suburl, keep, *age); });
}

MeasuredSize CleanerItem::sizeOnDisk() const {
    const std::optional<AgeLimit> age = removalAge();
    if (!age) {
        return {};
    }
    const KeepList none;
    const KeepList& keep = keep_ ? *keep_ : none;
    MeasuredSize total = url_ ? Path::size(*url_, keep, *age) : MeasuredSize{};
    for (const auto& suburl : suburls_) {
        total += Path::size(suburl, keep, *age);
    }
    return total;
}

void CleanerItem::measure() {
    const MeasuredSize measured = sizeOnDisk();
    measuredSize_.store(measured.bytes);
    measuredWhole_.store(measured.complete);
}

Image CleanerItem::displayIcon() const {
    if (icon_) {
        return icon_;
    }
    if (alternateIcon_) {
        return alternateIcon_;
    }
    if (url_) {
        return Path::icon(url_->path());
    }
    return nullptr;
}

bool CleanerItem::isDeletable() const {
    if (!url_ || url_->path() == "/" || url_->lastPathComponent().ends_with(".app")) {
        return false;
    }
    return Path::isDeletable(url_->path());
}

} // namespace sorvane
