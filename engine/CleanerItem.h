#pragma once

#include "CleanerDetail.h"
#include "ICleanerBase.h"
#include "platform/fs/AgeLimit.h"
#include "platform/fs/MeasuredSize.h"
#include "platform/fs/Url.h"
#include "platform/keep/KeepList.h"

#include <atomic>
#include <memory>
#include <optional>
#include <vector>

namespace sorvane {

// How an age limit judges an item: by each of its files, as one unit that is old only when all
// of it is, or by the date it went to the trash.
enum class AgeBasis { files, wholeUnit, deletionDate };

// One cleanable thing: a main location and further locations deleted with it. Shared by the
// finder that found it, the engine and the result tree; sizes are measured on every request.
class CleanerItem final : public ICleanerBase {
public:
    // Named after the url's last path component.
    CleanerItem(Url url, std::optional<CleanerSeverity> customSeverity);
    CleanerItem(QString name, std::optional<CleanerSeverity> customSeverity, Image icon,
                std::optional<Url> url);
    // An item without a main location, standing for the given ones.
    CleanerItem(QString name, const std::vector<Url>& suburls,
                std::optional<CleanerSeverity> customSeverity, Image icon);
    CleanerItem(QString name, Url url, std::optional<CleanerSeverity> customSeverity);

    // The selection is written on the main thread and read by the cleaning thread.
    bool selected() const { return selected_.load(); }
    void setSelected(bool selected) { selected_.store(selected); }
    void toggleSelection() { selected_.store(!selected_.load()); }

    const std::optional<Url>& url() const { return url_; }
    void setUrl(std::optional<Url> url) { url_ = std::move(url); }
    const std::vector<Url>& suburls() const { return suburls_; }
    void addSuburl(Url url) { suburls_.push_back(std::move(url)); }
    // Takes out the first suburl with the given path, if any.
    void removeSuburlWithPath(const std::string& path);

    // Shown when icon() is absent.
    Image alternateIcon() const { return alternateIcon_; }
    void setAlternateIcon(Image icon) { alternateIcon_ = std::move(icon); }
    const std::vector<std::shared_ptr<CleanerDetail>>& details() const { return details_; }
    void addDetail(std::shared_ptr<CleanerDetail> detail) { details_.push_back(std::move(detail)); }
    std::optional<CleanerSeverity> customSeverity() const { return customSeverity_; }
    void setCustomSeverity(std::optional<CleanerSeverity> severity) { customSeverity_ = severity; }

    QString name() const override { return name_; }
    void setName(QString name) { name_ = std::move(name); }
    Image icon() const override { return icon_; }
    void setIcon(Image icon) { icon_ = std::move(icon); }
    // The formatted size.
    QString detail() const override;
    // 1 without details, else the sum of the details' counts.
    std::int64_t count() const override;
    // The custom severity, else the highest of the details' (low without details).
    CleanerSeverity severity() const override;

    // What the item leaves out of its sizes: set by the engine when it was found.
    void setKeepList(std::shared_ptr<const KeepList> keep) { keep_ = std::move(keep); }
    // How the age limit judges the item; by its files unless its finder says otherwise.
    AgeBasis ageBasis() const { return ageBasis_; }
    void setAgeBasis(AgeBasis basis) { ageBasis_ = basis; }
    // When the item went to the trash, for an item judged by that; nothing when it cannot be
    // told, and the item then never counts as old.
    void setDeletedAt(std::optional<AgeLimit::Clock::time_point> when) { deletedAt_ = when; }
    // What the item leaves out for its age: set by the engine when it was found.
    void setAgeLimit(const AgeLimit& age) { age_ = age; }
    // The limit the item's locations are measured and removed by; nothing when no part of the
    // item is old.
    std::optional<AgeLimit> removalAge() const;
    // Whether any location of the item has an old part that is not kept, looked at now.
    bool hasOldPart() const;
    // Bytes of the url plus every suburl, without what the keep list keeps and only the old
    // part, measured now.
    std::uint64_t size() const { return sizeOnDisk().bytes; }
    // The same, and whether every folder could be read whole.
    MeasuredSize sizeOnDisk() const;
    // Measures the size now and keeps it, for readers that must not touch the disk.
    void measure();
    // The size kept by the last measure(); 0 before any.
    std::uint64_t measuredSize() const { return measuredSize_.load(); }
    // Whether the last measure() saw everything; a size that is not whole is a lower bound.
    bool measuredWhole() const { return measuredWhole_.load(); }
    std::uint64_t selectedSize() const { return selected() ? size() : 0; }
    // icon, else alternateIcon, else the file icon of the url's path.
    Image displayIcon() const;
    // The url exists, is no application bundle and may be removed by this user.
    bool isDeletable() const;

private:
    std::atomic<bool> selected_ = false;
    std::atomic<std::uint64_t> measuredSize_ = 0;
    std::atomic<bool> measuredWhole_ = true;
    std::optional<Url> url_;
    std::vector<Url> suburls_;
    Image alternateIcon_;
    std::vector<std::shared_ptr<CleanerDetail>> details_;
    QString name_;
    Image icon_;
    std::optional<CleanerSeverity> customSeverity_;
    std::shared_ptr<const KeepList> keep_;
    AgeBasis ageBasis_ = AgeBasis::files;
    std::optional<AgeLimit::Clock::time_point> deletedAt_;
    AgeLimit age_;
};

} // namespace sorvane
