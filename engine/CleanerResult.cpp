#include "CleanerResult.h"

#include "platform/fs/Path.h"

#include <algorithm>

namespace sorvane {

CleanerResult::CleanerResult(QString name, Image icon, std::optional<QString> bundleIdentifier,
                             std::optional<CleanerSeverity> customSeverity)
    : name_(std::move(name))
    , icon_(std::move(icon))
    , customSeverity_(customSeverity)
    , bundleIdentifier_(std::move(bundleIdentifier)) {}

std::int64_t CleanerResult::count() const {
    std::int64_t total = 0;
    for (const auto& item : items_) {
        total += item->count();
    }
    return total;
}

CleanerSeverity CleanerResult::severity() const {
    if (customSeverity_) {
        return *customSeverity_;
    }
    CleanerSeverity highest = CleanerSeverity::low;
    for (const auto& item : items_) {
        highest = std::max(highest, item->severity());
    }
    return highest;
}

std::int64_t CleanerResult::selectedCount() const {
    return std::count_if(items_.begin(), items_.end(),
                         [](const auto& item) { return item->selected(); });
}

bool CleanerResult::hasDeletableItems() const {
    return std::any_of(items_.begin(), items_.end(),
                       [](const auto& item) { return item->isDeletable(); });
}

std::uint64_t CleanerResult::size() const {
    std::uint64_t total = 0;
    for (const auto& item : items_) {
        total += item->size();
    }
    return total;
}

std::uint64_t CleanerResult::selectedSize() const {
    std::uint64_t total = 0;
    for (const auto& item : items_) {
        total += item->selectedSize();
    }
    return total;
}

void CleanerResult::add(const Url& url) {
    items_.push_back(std::make_shared<CleanerItem>(url, std::nullopt));
}

void CleanerResult::add(std::shared_ptr<CleanerItem> item) {
    items_.push_back(std::move(item));
}

void CleanerResult::addIfExists(const Url& url, Image alternateIcon,
                                const std::optional<QString>& name) {
    if (!Path::exists(url)) {
        return;
    }
    auto item = std::make_shared<CleanerItem>(url, std::nullopt);
    item->setAlternateIcon(std::move(alternateIcon));
    if (name) {
        item->setName(*name);
    }
    items_.push_back(std::move(item));
}

void CleanerResult::addIfExists(const Url& url, const std::optional<QString>& name,
                                const std::vector<Url>& suburls) {
    if (!Path::exists(url)) {
        return;
    }
    auto item = std::make_shared<CleanerItem>(url, std::nullopt);
    if (name) {
        item->setName(*name);
    }
    for (const auto& suburl : suburls) {
        if (Path::exists(suburl)) {
            item->addSuburl(suburl);
        }
    }
    items_.push_back(std::move(item));
}

void CleanerResult::removeItem(std::size_t index) {
    if (index < items_.size()) {
        items_.erase(items_.begin() + static_cast<std::ptrdiff_t>(index));
    }
}

void CleanerResult::removeItem(const std::shared_ptr<CleanerItem>& item) {
    const auto found = std::find(items_.begin(), items_.end(), item);
    if (found != items_.end()) {
        items_.erase(found);
    }
}

void CleanerResult::applyAgeLimit(const AgeLimit& age) {
    std::erase_if(items_, [&](const std::shared_ptr<CleanerItem>& item) {
        item->setAgeLimit(age);
        const bool hadLocations = item->url() || !item->suburls().empty();
        return hadLocations && !age.any() && !item->hasOldPart();
    });
}

void CleanerResult::applyKeepList(const std::shared_ptr<const KeepList>& keep) {
    kept_.clear();
    std::erase_if(items_, [&](const std::shared_ptr<CleanerItem>& item) {
        const bool hadLocations = item->url() || !item->suburls().empty();
        // Keeps what is found and says whether the location itself is kept.
        const auto wholeKept = [&](const Url& location) {
            std::vector<KeptLocation> found = Path::keptWithin(location, *keep);
            kept_.insert(kept_.end(), std::make_move_iterator(found.begin()),
                         std::make_move_iterator(found.end()));
            return keep->keeperOf(location.path()) != nullptr;
        };
        if (item->url() && wholeKept(*item->url())) {
            item->setUrl(std::nullopt);
        }
        const std::vector<Url> suburls = item->suburls();
        for (const auto& suburl : suburls) {
            if (wholeKept(suburl)) {
                item->removeSuburlWithPath(suburl.path());
            }
        }
        item->setKeepList(keep);
        return hadLocations && !item->url() && item->suburls().empty();
    });
}

} // namespace sorvane
