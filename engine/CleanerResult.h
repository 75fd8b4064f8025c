#pragma once

#include "CleanerItem.h"
#include "ICleanerBase.h"
#include "platform/keep/KeptLocation.h"

#include <memory>
#include <optional>
#include <vector>

namespace sorvane {

// One category's findings, in the order the finder added them.
class CleanerResult final : public ICleanerBase {
public:
    CleanerResult(QString name, Image icon, std::optional<QString> bundleIdentifier,
                  std::optional<CleanerSeverity> customSeverity);

    QString name() const override { return name_; }
    Image icon() const override { return icon_; }
    // Always empty.
    QString detail() const override { return {}; }
    // The sum of the items' counts.
    std::int64_t count() const override;
    // The custom severity, else the highest of the items' (low without items).
    CleanerSeverity severity() const override;
    std::optional<CleanerSeverity> customSeverity() const { return customSeverity_; }
    const std::optional<QString>& bundleIdentifier() const { return bundleIdentifier_; }

    const std::vector<std::shared_ptr<CleanerItem>>& items() const { return items_; }
    bool isEmpty() const { return items_.empty(); }
    std::int64_t selectedCount() const;
    bool hasDeletableItems() const;
    // Sizes are measured now.
    std::uint64_t size() const;
    std::uint64_t selectedSize() const;

    void add(const Url& url);
    void add(std::shared_ptr<CleanerItem> item);
    // Adds an item for the url only when something exists there; a given name replaces the
    // url's last component.
    void addIfExists(const Url& url, Image alternateIcon, const std::optional<QString>& name);
    // As above, also taking each of the suburls that exists.
    void addIfExists(const Url& url, const std::optional<QString>& name,
                     const std::vector<Url>& suburls);
    // Does nothing for an index past the end.
    void removeItem(std::size_t index);
    // Takes out this very item, if present.
    void removeItem(const std::shared_ptr<CleanerItem>& item);
    void clear() { items_.clear(); }

    // Leaves out what the keep list keeps: an item all of whose locations are kept goes, the
    // others lose their kept locations and measure without what is kept below them. What was
    // found kept is recorded.
    void applyKeepList(const std::shared_ptr<const KeepList>& keep);
    // Leaves out what the age limit does not count: every item measures and removes only its
    // old part, and an item with none goes.
    void applyAgeLimit(const AgeLimit& age);
    // The kept locations found at the last applyKeepList(), outermost first by item.
    const std::vector<KeptLocation>& kept() const { return kept_; }

private:
    QString name_;
    Image icon_;
    std::optional<CleanerSeverity> customSeverity_;
    std::optional<QString> bundleIdentifier_;
    std::vector<std::shared_ptr<CleanerItem>> items_;
    std::vector<KeptLocation> kept_;
};

} // namespace sorvane
