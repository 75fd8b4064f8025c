#include "DiskCleaner.h"

#include "EngineLog.h"
#include "MainQueue.h"
#include "platform/fs/Path.h"
#include "platform/fs/Shutdown.h"
#include "platform/fs/SizeMemo.h"
#include "platform/fs/WorkerPool.h"
#include "platform/journal/CleaningJournal.h"
#include "platform/keep/KeepList.h"
#include "platform/places/Layout.h"
#include "platform/text/EscapedText.h"

#include <algorithm>
#include <chrono>
#include <optional>
#include <thread>

namespace sorvane {

namespace {

// A steady clock: a wall clock set back would hold the reports until it caught up again.
using ProgressClock = std::chrono::steady_clock;
constexpr auto progressInterval = std::chrono::milliseconds(25);
// CleaningProgress carries more than a bar needs: a few reports a second are all a reader takes.
constexpr auto detailedProgressInterval = std::chrono::milliseconds(250);

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

StartOutcome DiskCleaner::start(Work work) {
    const std::lock_guard lock(threadMutex_);
    StartOutcome outcome = StartOutcome::started();
    Work running = Work::none;
    if (stopping()) {
        outcome = StartOutcome::refused(StartOutcome::Refusal::stopped);
    } else if (!running_.compare_exchange_strong(running, work)) {
        outcome =
            StartOutcome::refused(running == Work::search ? StartOutcome::Refusal::searchRunning
                                                          : StartOutcome::Refusal::cleaningRunning);
    }
    if (!outcome.isStarted()) {
        qCWarning(engineLog).noquote()
            << (work == Work::search ? "search" : "cleaning") << "refused:" << outcome.reason();
        return outcome;
    }
    // The previous work gave up its claim only after its last change to the results, so this
    // waits at most for its thread to return; only then may the results be touched here.
    if (worker_.joinable()) {
        worker_.join();
    }
    cancelled_.clear();
    if (work == Work::search) {
        if (source_) {
            setCategories(source_());
        } else {
            reset();
        }
    }
    worker_ = std::thread([self = shared_from_this(), work] {
        if (work == Work::search) {
            self->search();
        } else {
            self->finish(work, self->clean());
            return;
        }
        self->finish(work, {});
    });
    return outcome;
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

void DiskCleaner::cancel() {
    const std::lock_guard lock(threadMutex_);
    if (running_.load() != Work::none) {
        cancelled_.request();
    }
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

StartOutcome DiskCleaner::startSearch() {
    return start(Work::search);
}

StartOutcome DiskCleaner::startCleaning() {
    return start(Work::cleaning);
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
    // Read afresh: what another program added to the list counts from this search on.
    const auto keep = std::make_shared<const KeepList>(KeepList::current());
    const int days = olderThanDays_.load();
    const AgeLimit age = days > 0 ? AgeLimit::days(days) : AgeLimit();
    const auto count = static_cast<float>(running.size());
    std::size_t i = 0;
    for (; i < running.size() && !ending(); ++i) {
        const auto result = running[i]->result();
        notify([result](DiskCleanerDelegate& delegate) {
            delegate.cleanerWillSearchCategory(result);
        });
        running[i]->search();
        result->applyKeepList(keep);
        result->applyAgeLimit(age);
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
    if (i < running.size() && cancelled_.requested()) {
        notify([](DiskCleanerDelegate& delegate) { delegate.cleanerDidStopSearch(); });
    }
}

void DiskCleaner::finish(Work work, CleaningSummary summary) {
    busy_.store(false);
    running_.store(Work::none);
    if (work == Work::search) {
        notify([](DiskCleanerDelegate& delegate) { delegate.cleanerDidFinishSearch(); });
        return;
    }
    notify([summary = std::move(summary)](DiskCleanerDelegate& delegate) {
        delegate.cleanerDidUpdateProgress(1.0F);
        delegate.cleanerDidSummarizeCleaning(summary);
        delegate.cleanerDidFinishCleaning();
    });
}

CleaningSummary DiskCleaner::clean() {
    notify([](DiskCleanerDelegate& delegate) { delegate.cleanerDidStartCleaning(); });
    const CategoryList cleaning = categories();
    // The list as it is now, not as it was at the search: an entry added since is obeyed.
    const KeepList keep = KeepList::current();
    std::size_t itemCount = 0;
    CleaningProgress progress;
    for (const auto& category : cleaning) {
        for (const auto& item : category->result()->items()) {
            ++itemCount;
            progress.itemsTotal += item->selected() ? 1 : 0;
            progress.bytesTotal += item->selected() ? item->measuredSize() : 0;
        }
    }
    const auto total = static_cast<float>(itemCount);
    std::size_t processed = 0;
    // None yet: the first item reports.
    std::optional<ProgressClock::time_point> lastUpdate;
    std::optional<ProgressClock::time_point> lastDetail;
    // Only the latest state is kept; it goes out once the interval has passed, so a slow main
    // thread never holds the removal back.
    const auto report = [&](bool always) {
        const auto now = ProgressClock::now();
        if (always || !lastDetail || now - *lastDetail >= detailedProgressInterval) {
            notify([progress](DiskCleanerDelegate& delegate) {
                delegate.cleanerDidProgressCleaning(progress);
            });
            lastDetail = now;
        }
    };
    CleaningSummary summary;
    CleaningJournal journal(Layout::name(Layout::current()));
    // One line per location in the journal, as soon as it is done; the summary names every
    // location that stays, also one that a stop kept from being reached.
    const auto settle = [&](const std::string& key, const Url& location,
                            const RemovalOutcome& outcome) {
        summary.freed.add(outcome.freed);
        const RemovalReason reason = outcome.why();
        const std::string message = outcome.reason();
        journal.record(key, EscapedText::escape(location.path()), outcome.freed.total(),
                       reason == RemovalReason::none, std::string(wordOf(reason)), message);
        summary.stopped = summary.stopped || reason == RemovalReason::stopped;
        if (reason != RemovalReason::none) {
            summary.remaining.push_back({key, location.path(), reason, message});
        } else if (outcome.ageLimited && !outcome.gone) {
            summary.trimmed.push_back(location.path());
        }
    };
    // A location a stop kept the cleaning from reaching.
    const auto unreached = [](const Url& location) {
        RemovalOutcome outcome;
        outcome.entry = location.path();
        outcome.stopped = true;
        return outcome;
    };

    for (const auto& category : cleaning) {
        const auto result = category->result();
        const auto items = result->items();
        const std::string key = category->key();
        std::vector<std::shared_ptr<CleanerItem>> toRemove;
        for (const auto& item : items) {
            if (stopping() && !cancelled_.requested()) {
                break;
            }
            if (item->selected() && ending()) {
                if (item->url()) {
                    settle(key, *item->url(), unreached(*item->url()));
                }
                for (const auto& suburl : item->suburls()) {
                    settle(key, suburl, unreached(suburl));
                }
            } else if (item->selected()) {
                progress.location = item->url() ? item->url()->path() : std::string();
                report(false);
                // A location that stays only for what is kept in it was cleaned all the same.
                // So does one that keeps only what its age limit left, its own folder included.
                const auto cleaned = [](const RemovalOutcome& outcome) {
                    return outcome.gone || (outcome.error == 0 && !outcome.keptBy.empty()) ||
                           (outcome.ageLimited && outcome.why() == RemovalReason::none);
                };
                // What the search offered by its cutoff; an item not old at all (which the
                // search never offers) is not touched.
                const std::optional<AgeLimit> age = item->removalAge();
                const std::vector<Url> suburls = age ? item->suburls() : std::vector<Url>();
                bool removed = false;
                if (age && item->url()) {
                    const RemovalOutcome outcome =
                        Path::remove(*item->url(), keep, *age, &cancelled_);
                    settle(key, *item->url(), outcome);
                    removed = cleaned(outcome);
                }
                std::vector<std::string> deletedSuburls;
                for (const auto& suburl : suburls) {
                    const RemovalOutcome outcome = Path::remove(suburl, keep, *age, &cancelled_);
                    settle(key, suburl, outcome);
                    if (cleaned(outcome)) {
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
                ++progress.itemsDone;
                progress.bytesDone += item->measuredSize();
                report(false);
            }
            ++processed;
            const auto now = ProgressClock::now();
            if (!lastUpdate || now - *lastUpdate > progressInterval) {
                const float fraction = static_cast<float>(processed) / total;
                notify([fraction](DiskCleanerDelegate& delegate) {
                    delegate.cleanerDidUpdateProgress(fraction);
                });
                lastUpdate = now;
            }
        }
        // Items are matched by identity: two items without a url must not stand for each other.
        for (const auto& item : toRemove) {
            result->removeItem(item);
        }
        summary.itemsCleaned += toRemove.size();
    }
    report(true);
    return summary;
}

} // namespace sorvane
