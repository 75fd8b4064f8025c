#include "DiskCleaner.h"

#include "PredefinedCategories.h"
#include "platform/MainQueue.h"
#include "platform/Path.h"

#include <algorithm>
#include <chrono>
#include <thread>

namespace sorvane {

namespace {

constexpr double progressInterval = 0.025;

double secondsSince1970() {
    using namespace std::chrono;
    return duration<double>(system_clock::now().time_since_epoch()).count();
}

void resetResults(const CategoryList& categories) {
    for (const auto& category : categories) {
        category->result()->clear();
    }
}

} // namespace

std::shared_ptr<DiskCleaner> DiskCleaner::create() {
    return std::make_shared<DiskCleaner>(Passkey{}, CategoryList{}, true);
}

std::shared_ptr<DiskCleaner> DiskCleaner::create(std::shared_ptr<IDiskCleanerCategory> category) {
    return std::make_shared<DiskCleaner>(Passkey{}, CategoryList{std::move(category)}, false);
}

std::shared_ptr<DiskCleaner> DiskCleaner::create(CategoryList categories) {
    return std::make_shared<DiskCleaner>(Passkey{}, std::move(categories), false);
}

DiskCleaner::DiskCleaner(Passkey /*unused*/, CategoryList categories, bool usePredefinedCategories)
    : categories_(std::move(categories))
    , usePredefinedCategories_(usePredefinedCategories) {}

CategoryList DiskCleaner::categories() const {
    const std::lock_guard lock(mutex_);
    return categories_;
}

void DiskCleaner::setCategories(CategoryList categories) {
    const std::lock_guard lock(mutex_);
    categories_ = std::move(categories);
}

std::weak_ptr<DiskCleanerDelegate> DiskCleaner::delegate() const {
    const std::lock_guard lock(mutex_);
    return delegate_;
}

void DiskCleaner::setDelegate(std::weak_ptr<DiskCleanerDelegate> delegate) {
    const std::lock_guard lock(mutex_);
    delegate_ = std::move(delegate);
}

std::uint64_t DiskCleaner::totalSize() const {
    std::uint64_t total = 0;
    for (const auto& category : categories()) {
        total += category->result()->size();
    }
    return total;
}

std::uint64_t DiskCleaner::selectedSize() const {
    std::uint64_t total = 0;
    for (const auto& category : categories()) {
        total += category->result()->selectedSize();
    }
    return total;
}

void DiskCleaner::reset() {
    resetResults(categories());
}

void DiskCleaner::startSearch() {
    if (usePredefinedCategories_) {
        setCategories(predefinedCategories());
    } else {
        reset();
    }
    std::thread([self = shared_from_this()] { self->search(); }).detach();
}

void DiskCleaner::startCleaning() {
    std::thread([self = shared_from_this()] { self->clean(); }).detach();
}

void DiskCleaner::notify(std::function<void(DiskCleanerDelegate&)> call) {
    MainQueue::post([self = shared_from_this(), call = std::move(call)] {
        if (const auto delegate = self->delegate().lock()) {
            call(*delegate);
        }
    });
}

void DiskCleaner::search() {
    busy_.store(true);
    notify([](DiskCleanerDelegate& delegate) { delegate.cleanerDidStartSearch(); });
    const CategoryList running = categories();
    const auto count = static_cast<float>(running.size());
    for (std::size_t i = 0; i < running.size(); ++i) {
        const auto result = running[i]->result();
        notify([result](DiskCleanerDelegate& delegate) {
            delegate.cleanerWillSearchCategory(result);
        });
        running[i]->search();
        const float progress = static_cast<float>(i + 1) / count;
        // Measured here, by the thread that owns the items while the search runs, and handed
        // over as a value: the main thread must not walk lists that this thread is filling.
        const std::uint64_t selected = selectedSize();
        notify([selected, progress](DiskCleanerDelegate& delegate) {
            delegate.cleanerDidUpdateSelectedSize(selected);
            delegate.cleanerDidUpdateProgress(progress);
        });
    }
    busy_.store(false);
    notify([](DiskCleanerDelegate& delegate) { delegate.cleanerDidFinishSearch(); });
}

void DiskCleaner::clean() {
    notify([](DiskCleanerDelegate& delegate) { delegate.cleanerDidStartCleaning(); });
    const CategoryList cleaning = categories();
    std::size_t itemCount = 0;
    for (const auto& category : cleaning) {
        itemCount += category->result()->items().size();
    }
    const auto total = static_cast<float>(itemCount);
    std::size_t processed = 0;
    std::vector<std::shared_ptr<CleanerResult>> emptied;

    for (const auto& category : cleaning) {
        const auto result = category->result();
        const auto items = result->items();
        std::vector<std::shared_ptr<CleanerItem>> toRemove;
        for (const auto& item : items) {
            if (item->selected()) {
                bool removed = false;
                if (item->url() && Path::remove(*item->url())) {
                    removed = true;
                }
                std::vector<std::string> deletedSuburls;
                for (const auto& suburl : item->suburls()) {
                    if (Path::remove(suburl)) {
                        deletedSuburls.push_back(suburl.path());
                    }
                }
                for (const auto& path : deletedSuburls) {
                    item->removeSuburlWithPath(path);
                }
                // A url that failed to go is still there (removal reports exactly that), so
                // only an item without one can be left with nothing at all.
                if (!removed && !item->url() && item->suburls().empty()) {
                    removed = true;
                }
                if (removed) {
                    toRemove.push_back(item);
                }
            }
            ++processed;
            if (lastUpdate_ + progressInterval < secondsSince1970()) {
                const float progress = static_cast<float>(processed) / total;
                notify([progress](DiskCleanerDelegate& delegate) {
                    delegate.cleanerDidUpdateProgress(progress);
                });
                lastUpdate_ = secondsSince1970();
            }
        }
        // Items are matched by identity: two items without a url must not stand for each other.
        for (const auto& item : toRemove) {
            result->removeItem(item);
        }
        if (result->isEmpty()) {
            emptied.push_back(result);
        }
    }

    if (!emptied.empty()) {
        const std::lock_guard lock(mutex_);
        for (const auto& result : emptied) {
            const auto found =
                std::find_if(categories_.begin(), categories_.end(),
                             [&](const auto& category) { return category->result() == result; });
            if (found != categories_.end()) {
                categories_.erase(found);
            }
        }
    }
    notify([](DiskCleanerDelegate& delegate) {
        delegate.cleanerDidUpdateProgress(1.0F);
        delegate.cleanerDidFinishCleaning();
    });
}

} // namespace sorvane
