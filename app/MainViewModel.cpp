#include "MainViewModel.h"

#include "AppStrings.h"
#include "SettingsViewModel.h"

#include "engine/DiskCleaner.h"
#include "finders/PredefinedCategories.h"
#include "platform/fs/Path.h"
#include "platform/keep/KeepEntry.h"
#include "platform/keep/KeepListFile.h"
#include "platform/places/Layout.h"
#include "platform/text/IO.h"

#include <QTimer>

#include <algorithm>

namespace sorvane {

namespace {

constexpr double monitorInterval = 1.0;

// Code-point order from UTF-16: units of the supplementary planes (surrogates) must sort after
// every unit of the basic plane, which plain UTF-16 comparison gets wrong above U+E000.
bool codePointLess(const QString& a, const QString& b) {
    const auto weight = [](QChar unit) {
        const char16_t value = unit.unicode();
        if (value >= 0xD800) {
            return static_cast<char32_t>(value >= 0xE000 ? value - 0x800 : value + 0x2000);
        }
        return static_cast<char32_t>(value);
    };
    return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(),
                                        [&](QChar x, QChar y) { return weight(x) < weight(y); });
}

bool byName(const ResultViewModel* a, const ResultViewModel* b) {
    return codePointLess(a->name(), b->name());
}

bool bySizeDescending(const ResultViewModel* a, const ResultViewModel* b) {
    return a->size() > b->size();
}

} // namespace

// Receives the engine's and the monitor's reports for the view model, which both hold weakly:
// when the view model goes, so does the bridge, and late reports fall on nothing.
class MainViewModel::EngineBridge final : public DiskCleanerDelegate,
                                          public AppRunnerMonitorDelegate {
public:
    explicit EngineBridge(MainViewModel& owner)
        : owner_(owner) {}

    void cleanerDidStartSearch() override { owner_.cleanerDidStartSearch(); }
    void cleanerDidFinishSearch() override { owner_.cleanerDidFinishSearch(); }
    void cleanerDidUpdateSelectedSize(std::uint64_t /*size*/) override {}
    void cleanerWillSearchCategory(const std::shared_ptr<CleanerResult>& result) override {
        owner_.cleanerWillSearchCategory(result);
    }
    void cleanerDidUpdateProgress(float progress) override {
        owner_.cleanerDidUpdateProgress(progress);
    }
    void cleanerDidStartCleaning() override { owner_.cleanerDidStartCleaning(); }
    void cleanerDidProgressCleaning(const CleaningProgress& progress) override {
        owner_.cleanerDidProgressCleaning(progress);
    }
    void cleanerDidSummarizeCleaning(const CleaningSummary& summary) override {
        owner_.cleanerDidSummarizeCleaning(summary);
    }
    void cleanerDidFinishCleaning() override { owner_.cleanerDidFinishCleaning(); }
    void cleanerDidStopSearch() override { owner_.cleanerDidStopSearch(); }
    void didUpdate(const QString& identifier, bool isRunning) override {
        owner_.didUpdate(identifier, isRunning);
    }

private:
    MainViewModel& owner_;
};

MainViewModel::MainViewModel(QObject* parent)
    : QObject(parent)
    , sortBy_(SettingsViewModel::storedResultOrder())
    , permissions_(new PermissionsViewModel(this))
    , cleaning_(new CleaningProgressViewModel(this))
    , summary_(new CleaningSummaryModel(this))
    , bridge_(std::make_shared<EngineBridge>(*this))
    , cleaner_(DiskCleaner::create(predefinedCategories())) {
    QStringList identifiers;
    for (const auto& category : cleaner_->categories()) {
        if (const auto identifier = category->bundleIdentifier()) {
            identifiers.append(*identifier);
        }
    }
    appRunnerMonitor_ = AppRunnerMonitor::create(identifiers, monitorInterval);
    appRunnerMonitor_->setDelegate(bridge_);
    appRunnerMonitor_->start();
    cleaner_->setDelegate(bridge_);
    cleaner_->setOlderThanDays(SettingsViewModel::storedOlderThanDays());
    updateAuthentication();
}

MainViewModel::~MainViewModel() {
    // The running monitor keeps itself alive; it must not outlive its reason to run.
    appRunnerMonitor_->stop();
    // Nor may the engine's thread run on into what the end of the process destroys.
    cleaner_->stop();
}

void MainViewModel::requestSearch() {
    // A refusal (the engine is stopped, or runs a search already) leaves the flags to the
    // reports of whatever runs.
    if (cleaner_->startSearch().isStarted()) {
        setFlag(isShowingSummary_, false, &MainViewModel::isShowingSummaryChanged);
        setFlag(isSearching_, true, &MainViewModel::isSearchingChanged);
    }
}

void MainViewModel::setFlag(bool& flag, bool value, void (MainViewModel::*changed)()) {
    if (flag == value) {
        return;
    }
    flag = value;
    emit(this->*changed)();
}

void MainViewModel::updateAuthentication() {
    // Only the macOS layout asks for folders; a freedesktop home is searched at launch.
    const bool granted =
        Layout::current() == LayoutKind::freedesktop ||
        (permissions_->user()->isAuthenticated() && permissions_->library()->isAuthenticated());
    setFlag(isAuthenticated_, granted, &MainViewModel::isAuthenticatedChanged);
    if (granted && !isSearching_ && !isCleaning_) {
        requestSearch();
    }
}

void MainViewModel::chooseFolder(PermissionViewModel* row, const QStringList& chosenPaths) {
    if (row == nullptr || Layout::current() != LayoutKind::macos) {
        return;
    }
    const std::string expected = url(row->directory()).path();
    const bool matches =
        std::any_of(chosenPaths.begin(), chosenPaths.end(), [&](const QString& chosen) {
            return Url(chosen.toStdString()).path() == expected;
        });
    if (!matches) {
        row->setShowingAlert(true);
        return;
    }
    row->grant();
    updateAuthentication();
}

void MainViewModel::setResults(QList<ResultViewModel*> results) {
    results_ = std::move(results);
    emit resultsChanged();
}

void MainViewModel::filter(const QString& text) {
    filterText_ = text;
    showResults();
}

void MainViewModel::sort(SortBy sortBy) {
    sortBy_ = sortBy;
    showResults();
}

void MainViewModel::showResults() {
    setResults(arrangedResults());
    updateSelection();
}

QList<ResultViewModel*> MainViewModel::arrangedResults() {
    setFlag(isFiltering_, !filterText_.isEmpty(), &MainViewModel::isFilteringChanged);
    QList<ResultViewModel*> shown;
    const QString needle = filterText_.toLower();
    for (const auto& category : allResults_) {
        const QList<ResultViewModel*>& items = category->children();
        if (needle.isEmpty() || category->name().toLower().contains(needle)) {
            category->setShownChildren(items);
        } else {
            QList<ResultViewModel*> matching;
            std::copy_if(items.begin(), items.end(), std::back_inserter(matching),
                         [&](const ResultViewModel* item) {
                             return item->name().toLower().contains(needle);
                         });
            if (matching.isEmpty()) {
                continue;
            }
            category->setShownChildren(std::move(matching));
        }
        category->updateState();
        shown.append(category.get());
    }
    // Equal keys keep the engine's order, whatever was filtered before.
    const auto less = sortBy_ == SortBy::name ? byName : bySizeDescending;
    std::stable_sort(shown.begin(), shown.end(), less);
    for (ResultViewModel* category : shown) {
        category->sortChildren(less);
    }
    return shown;
}

void MainViewModel::keep(ResultViewModel* node) {
    if (node == nullptr || isSearching_ || isCleaning_ || isShowingSummary_) {
        return;
    }
    const QList<ResultViewModel*> items = node->isCategory() ? node->children() : QList{node};
    const std::string home = Layout::home();
    std::vector<std::string> entries;
    for (const ResultViewModel* item : items) {
        const auto engineItem = item->item();
        if (!engineItem) {
            continue;
        }
        // Locations named twice are stored once.
        if (engineItem->url()) {
            entries.push_back(KeepEntry::forLocation(engineItem->url()->path(), home));
        }
        for (const Url& location : engineItem->suburls()) {
            entries.push_back(KeepEntry::forLocation(location.path(), home));
        }
    }
    if (entries.empty()) {
        return;
    }
    if (const auto problem = KeepListFile::change(entries, {})) {
        showAlert(AppStrings::text("KEEP_FAILED"), QString::fromStdString(*problem));
        return;
    }
    // Whatever was ticked before stays out of a cleaning: the kept node is no longer there to
    // hand its selection over.
    for (const ResultViewModel* item : items) {
        if (const auto engineItem = item->item()) {
            engineItem->setSelected(false);
        }
    }
    ResultViewModel* category = node->isCategory() ? node : node->parentNode();
    if (category != node) {
        category->removeChild(node);
    }
    if (category == node || category->children().isEmpty()) {
        const auto found = std::find_if(allResults_.begin(), allResults_.end(),
                                        [&](const auto& owned) { return owned.get() == category; });
        if (found != allResults_.end()) {
            // Deleted later: the views compare the rows they had with those left.
            found->release()->deleteLater();
            allResults_.erase(found);
        }
    }
    results_ = arrangedResults();
    emit resultsShrank();
    updateSelection();
}

void MainViewModel::setOlderThanDays(int days) {
    cleaner_->setOlderThanDays(days);
    searchAgain();
}

void MainViewModel::searchAgain() {
    if (isAuthenticated_ && !isSearching_ && !isCleaning_) {
        requestSearch();
    }
}

void MainViewModel::stop() {
    // Not the engine's stop(): that one is for quitting and refuses every later start.
    if (isSearching_ || isCleaning_) {
        cleaner_->cancel();
    }
}

void MainViewModel::showAlert(const QString& title, const QString& text) {
    alertTitle_ = title;
    alertText_ = text;
    emit alertChanged();
}

void MainViewModel::dismissAlert() {
    showAlert({}, {});
}

void MainViewModel::updateSelection() {
    // Every check box, row and button asks; one user action must cost one measurement.
    if (selectionUpdatePending_) {
        return;
    }
    selectionUpdatePending_ = true;
    QTimer::singleShot(0, this, [this] {
        selectionUpdatePending_ = false;
        measureSelection();
    });
}

void MainViewModel::measureSelection() {
    // The tree's own nodes and the sizes measured during the search: a click never waits for
    // the disk, and never reads lists that the engine's thread may be changing.
    std::int64_t count = 0;
    std::uint64_t bytes = 0;
    for (const auto& category : allResults_) {
        for (const ResultViewModel* item : category->children()) {
            if (item->isSelected() == true) {
                ++count;
                bytes += item->size();
            }
        }
    }
    const QString info = AppStrings::plural("SELECTED_FILES", count)
                             .arg(QString::fromStdString(IO::formattedSize(bytes)));
    if (info != selectionInfo_) {
        selectionInfo_ = info;
        emit selectionInfoChanged();
    }
    const bool anySelected =
        std::any_of(results_.begin(), results_.end(), [](const ResultViewModel* category) {
            return std::any_of(
                category->shownChildren().begin(), category->shownChildren().end(),
                [](const ResultViewModel* item) { return item->isSelected() == true; });
        });
    setFlag(hasSelection_, anySelected, &MainViewModel::hasSelectionChanged);
}

void MainViewModel::selectAll() {
    for (ResultViewModel* category : results_) {
        category->setSelected(true);
    }
    updateSelection();
}

void MainViewModel::unselectAll() {
    for (ResultViewModel* category : results_) {
        category->setSelected(false);
    }
    updateSelection();
}

void MainViewModel::deleteSelection() {
    // The summary stands over results whose items the cleaning may have taken away.
    if (isCleaning_ || isSearching_ || isShowingSummary_) {
        return;
    }
    // The one moment the engine learns the selection: it holds still until the next search.
    for (const auto& category : allResults_) {
        for (const ResultViewModel* item : category->children()) {
            item->handOverSelection();
        }
    }
    if (cleaner_->startCleaning().isStarted()) {
        cleaning_->clear();
        summary_->show({});
        setFlag(isCleaning_, true, &MainViewModel::isCleaningChanged);
    }
}

void MainViewModel::cleanerDidStartSearch() {
    setResults({});
    allResults_.clear();
    progress_ = 0;
    emit progressChanged();
    searchCategory_.clear();
    emit searchCategoryChanged();
    setFlag(searchStopped_, false, &MainViewModel::searchStoppedChanged);
    setFlag(isShowingSummary_, false, &MainViewModel::isShowingSummaryChanged);
    setFlag(isSearching_, true, &MainViewModel::isSearchingChanged);
}

void MainViewModel::cleanerDidStopSearch() {
    setFlag(searchStopped_, true, &MainViewModel::searchStoppedChanged);
}

void MainViewModel::cleanerWillSearchCategory(const std::shared_ptr<CleanerResult>& result) {
    searchCategory_ = result->name();
    emit searchCategoryChanged();
}

void MainViewModel::cleanerDidUpdateProgress(float progress) {
    progress_ = progress;
    emit progressChanged();
}

void MainViewModel::cleanerDidFinishSearch() {
    for (const auto& category : cleaner_->categories()) {
        if (category->result()->isEmpty()) {
            continue;
        }
        auto node = std::make_unique<ResultViewModel>(*category);
        if (const auto& identifier = node->bundleIdentifier()) {
            node->setAppRunning(appRunning_.value(*identifier));
        }
        // A row's change of state asks for a new summary; asks of one turn are answered once.
        connect(node.get(), &ResultViewModel::itemChanged, this, &MainViewModel::updateSelection);
        allResults_.push_back(std::move(node));
    }
    setFlag(isSearching_, false, &MainViewModel::isSearchingChanged);
    // The search field keeps its text, so the new results are filtered by it too.
    showResults();
}

void MainViewModel::cleanerDidStartCleaning() {
    // Already set when Delete was pressed; an engine started by someone else still shows.
    setFlag(isCleaning_, true, &MainViewModel::isCleaningChanged);
}

void MainViewModel::cleanerDidProgressCleaning(const CleaningProgress& progress) {
    cleaning_->show(progress);
}

void MainViewModel::cleanerDidSummarizeCleaning(const CleaningSummary& summary) {
    summary_->show(summary);
}

void MainViewModel::cleanerDidFinishCleaning() {
    // The summary first: the results it would replace are stale, and Delete is out of reach
    // until the next search, which only the summary's button starts.
    setFlag(isShowingSummary_, true, &MainViewModel::isShowingSummaryChanged);
    setFlag(isCleaning_, false, &MainViewModel::isCleaningChanged);
}

void MainViewModel::didUpdate(const QString& identifier, bool isRunning) {
    appRunning_.insert(identifier, isRunning);
    // Hidden categories too: the monitor will not say it again when the filter lets them back.
    for (const auto& category : allResults_) {
        if (category->bundleIdentifier() == identifier) {
            category->setAppRunning(isRunning);
        }
    }
}

} // namespace sorvane
