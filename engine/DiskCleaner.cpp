#include "DiskCleaner.h"

#include "MainQueue.h"
#include "platform/fs/Path.h"
#include "platform/fs/Shutdown.h"
#include "platform/fs/SizeMemo.h"
#include "platform/fs/WorkerPool.h"

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

std::shared_ptr<DiskCleaner> DiskCleaner::create(CategorySource source) {
    return std::make_shared<DiskCleaner>(Passkey{}, CategoryList{}, std::move(source));
}

std::shared_ptr<DiskCleaner> DiskCleaner::create(std::shared_ptr<IDiskCleanerCategory> category) {
    return std::make_shared<DiskCleaner>(Passkey{}, CategoryList{std::move(category)}, nullptr);
}

std::shared_ptr<DiskCleaner> DiskCleaner::create(CategoryList categories) {
    return std::make_shared<DiskCleaner>(Passkey{}, std::move(categories), nullptr);
}

DiskCleaner::DiskCleaner(Passkey /*unused*/, CategoryList categories, CategorySource source)
    : categories_(std::move(categories))
    , source_(std::move(source)) {}

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

DiskCleaner::~DiskCleaner() {
    // The last owner may be the worker itself, finishing: it cannot wait for itself.
    if (worker_.joinable()) {
        if (worker_.get_id() == std::this_thread::get_id()) {
            worker_.detach();
        } else {
            worker_.join();
        }
    }
}

bool DiskCleaner::stopping() const {
    return stopped_.load() || Shutdown::isUnderway();
}

void DiskCleaner::start(void (DiskCleaner::*work)()) {
    if (stopping()) {
        return;
    }
    const std::lock_guard lock(threadMutex_);
    // The previous operation has posted its last report by the time a new one can be asked
    // for, so this waits at most for its thread to return.
    if (worker_.joinable()) {
        worker_.join();
    }
    worker_ = std::thread([self = shared_from_this(), work] { ((*self).*work)(); });
}

void DiskCleaner::measure(const std::vector<std::shared_ptr<CleanerItem>>& items) const {
    // Items side by side on the shared pool: most are small folders that a walk of their own
    // would measure alone, one after the other.
    WorkerPool& pool = WorkerPool::shared();
    WorkerPool::Group group;
    for (const auto& item : items) {
        pool.submit(group, [this, item] {
            if (!stopping()) {
                item->measure();
            }
        });
    }
    pool.runUntilDone(group);
}

void DiskCleaner::stop() {
    stopped_.store(true);
    std::thread worker;
    {
        const std::lock_guard lock(threadMutex_);
        worker = std::move(worker_);
    }
    if (worker.joinable()) {
        worker.join();
    }
}

void DiskCleaner::startSearch() {
    if (stopping()) {
        return;
    }
    if (source_) {
        setCategories(source_());
    } else {
        reset();
    }
    start(&DiskCleaner::search);
}

void DiskCleaner::startCleaning() {
    start(&DiskCleaner::clean);
}

std::uint64_t DiskCleaner::measuredSelectedSize(const CategoryList& categories) const {
    std::uint64_t total = 0;
    for (const auto& category : categories) {
        for (const auto& item : category->result()->items()) {
            total += item->selected() ? item->measuredSize() : 0;
        }
    }
    return total;
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
    // Folders measured as items are not walked again inside larger items of this search.
    const SizeMemo memo;
    const auto count = static_cast<float>(running.size());
    for (std::size_t i = 0; i < running.size() && !stopping(); ++i) {
        const auto result = running[i]->result();
        notify([result](DiskCleanerDelegate& delegate) {
            delegate.cleanerWillSearchCategory(result);
        });
        running[i]->search();
        // Each item is measured once, here, by the thread that owns the items while the search
        // runs; the result tree and every summary use these sizes and never touch the disk.
        measure(result->items());
        const float progress = static_cast<float>(i + 1) / count;
        const CategoryList searched(running.begin(),
                                    running.begin() + static_cast<std::ptrdiff_t>(i + 1));
        const std::uint64_t selected = measuredSelectedSize(searched);
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

    for (const auto& category : cleaning) {
        const auto result = category->result();
        const auto items = result->items();
        std::vector<std::shared_ptr<CleanerItem>> toRemove;
        for (const auto& item : items) {
            if (stopping()) {
                break;
            }
            if (item->selected()) {
                bool removed = false;
                if (item->url() && Path::remove(*item->url()).gone) {
                    removed = true;
                }
                std::vector<std::string> deletedSuburls;
                for (const auto& suburl : item->suburls()) {
                    if (Path::remove(suburl).gone) {
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
    }

    notify([](DiskCleanerDelegate& delegate) {
        delegate.cleanerDidUpdateProgress(1.0F);
        delegate.cleanerDidFinishCleaning();
    });
}

} // namespace sorvane
