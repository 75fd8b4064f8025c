#pragma once

#include "CleaningProgressViewModel.h"
#include "CleaningSummaryModel.h"
#include "PermissionsViewModel.h"
#include "ResultViewModel.h"
#include "SortBy.h"

#include "engine/IDiskCleaner.h"
#include "platform/desktop/AppRunnerMonitor.h"

#include <QHash>
#include <QList>
#include <QObject>
#include <QStringList>

#include <memory>
#include <vector>

namespace sorvane {

// Drives the application: owns the engine with the application's nineteen categories, the
// running-application monitor and the folder grants, and turns the engine's reports into the
// state the screens show.
//
// Data crosses threads only at two points: when a search has finished, the result tree is
// built from the engine's lists (sizes measured by the engine's thread), and when Delete is
// pressed, the tree's selection is written to the engine's items before the cleaning starts.
// In between, filtering, sorting, selection and summaries work on the tree's own nodes.
class MainViewModel : public QObject {
    Q_OBJECT
    Q_PROPERTY(bool isFiltering READ isFiltering NOTIFY isFilteringChanged)
    Q_PROPERTY(bool isSearching READ isSearching NOTIFY isSearchingChanged)
    Q_PROPERTY(bool isCleaning READ isCleaning NOTIFY isCleaningChanged)
    Q_PROPERTY(bool isAuthenticated READ isAuthenticated NOTIFY isAuthenticatedChanged)
    Q_PROPERTY(QString selectionInfo READ selectionInfo NOTIFY selectionInfoChanged)
    Q_PROPERTY(bool hasSelection READ hasSelection NOTIFY hasSelectionChanged)
    Q_PROPERTY(QString searchCategory READ searchCategory NOTIFY searchCategoryChanged)
    Q_PROPERTY(float progress READ progress NOTIFY progressChanged)
    Q_PROPERTY(QString alertTitle READ alertTitle NOTIFY alertChanged)
    Q_PROPERTY(QString alertText READ alertText NOTIFY alertChanged)
    Q_PROPERTY(sorvane::PermissionsViewModel* permissions READ permissions CONSTANT)
    Q_PROPERTY(sorvane::CleaningProgressViewModel* cleaning READ cleaning CONSTANT)
    Q_PROPERTY(sorvane::CleaningSummaryModel* summary READ summary CONSTANT)
    // After every cleaning, until the user goes on to the next search.
    Q_PROPERTY(bool isShowingSummary READ isShowingSummary NOTIFY isShowingSummaryChanged)
    // The results shown are those of the categories searched before the search was stopped.
    Q_PROPERTY(bool searchStopped READ searchStopped NOTIFY searchStoppedChanged)

public:
    // Restores the stored grants and starts searching at once when both folders are granted.
    explicit MainViewModel(QObject* parent = nullptr);
    ~MainViewModel() override;

    bool isFiltering() const { return isFiltering_; }
    bool isSearching() const { return isSearching_; }
    bool isCleaning() const { return isCleaning_; }
    bool isAuthenticated() const { return isAuthenticated_; }
    const QString& selectionInfo() const { return selectionInfo_; }
    bool hasSelection() const { return hasSelection_; }
    const QString& searchCategory() const { return searchCategory_; }
    float progress() const { return progress_; }
    // A failure the user must hear of, shown until dismissed; empty when there is none.
    const QString& alertTitle() const { return alertTitle_; }
    const QString& alertText() const { return alertText_; }
    void showAlert(const QString& title, const QString& text);
    Q_INVOKABLE void dismissAlert();
    PermissionsViewModel* permissions() const { return permissions_; }
    CleaningProgressViewModel* cleaning() const { return cleaning_; }
    CleaningSummaryModel* summary() const { return summary_; }
    bool isShowingSummary() const { return isShowingSummary_; }
    bool searchStopped() const { return searchStopped_; }
    IDiskCleaner& cleaner() const { return *cleaner_; }

    // The category nodes of the last search, in category order, never filtered.
    const std::vector<std::unique_ptr<ResultViewModel>>& allResults() const { return allResults_; }
    // The category nodes shown: filtered and sorted.
    const QList<ResultViewModel*>& results() const { return results_; }

    // Starts the first search once both folders are granted.
    Q_INVOKABLE void updateAuthentication();
    // Shows the categories and items whose names hold the text, ignoring case.
    Q_INVOKABLE void filter(const QString& text);
    // Asks for a new selection summary; all requests of one turn of the event loop are answered by
    // one measurement at its end.
    Q_INVOKABLE void updateSelection();
    Q_INVOKABLE void sort(sorvane::SortOrder::SortBy sortBy);
    // Offers only what went unused for that many days (0: any age) from the next search on,
    // and searches again at once when it may.
    void setOlderThanDays(int days);
    Q_INVOKABLE void selectAll();
    Q_INVOKABLE void unselectAll();
    // Hands the selection to the engine and deletes it; presses while a search or a cleaning is
    // requested or running, or while the last cleaning's summary shows, are ignored.
    Q_INVOKABLE void deleteSelection();
    // Adds the node's locations (a category: those of all its items) to the keep list and takes
    // the node out of the results at once, with the totals following; the next search leaves
    // them out too. A list that cannot be written shows the reason and changes nothing. Ignored
    // while a search or a cleaning runs, and while a cleaning's summary shows.
    void keep(ResultViewModel* node);
    // Searches anew, as after a change of the keep list or from a cleaning's summary; ignored
    // before both folders are granted and while a search or a cleaning runs.
    Q_INVOKABLE void searchAgain();
    // Stops the running search (what was searched stays) or cleaning (its summary follows) at
    // the engine's next step; quitting stops the engine itself.
    Q_INVOKABLE void stop();
    // The folder chooser's answer for a permission row: grants when one of the chosen paths is
    // the row's folder, else shows the row's wrong-folder alert. Cancelling calls nothing.
    Q_INVOKABLE void chooseFolder(sorvane::PermissionViewModel* row,
                                  const QStringList& chosenPaths);

signals:
    void isFilteringChanged();
    void isSearchingChanged();
    void isCleaningChanged();
    void isAuthenticatedChanged();
    void resultsChanged();
    // Nodes left the results; those shown are the ones shown before less them, filtered and
    // sorted alike, so a view can take out rows rather than start afresh.
    void resultsShrank();
    void selectionInfoChanged();
    void hasSelectionChanged();
    void searchCategoryChanged();
    void progressChanged();
    void alertChanged();
    void isShowingSummaryChanged();
    void searchStoppedChanged();

private:
    class EngineBridge;
    friend class EngineBridge;

    void cleanerDidStartSearch();
    void cleanerDidFinishSearch();
    void cleanerWillSearchCategory(const std::shared_ptr<CleanerResult>& result);
    void cleanerDidUpdateProgress(float progress);
    void cleanerDidStartCleaning();
    void cleanerDidProgressCleaning(const CleaningProgress& progress);
    void cleanerDidSummarizeCleaning(const CleaningSummary& summary);
    void cleanerDidFinishCleaning();
    void cleanerDidStopSearch();
    void didUpdate(const QString& identifier, bool isRunning);

    void measureSelection();
    void setResults(QList<ResultViewModel*> results);
    // Shows the categories and items that match the filter text, in the chosen order.
    void showResults();
    // The categories to show, each given its shown items and sorted.
    QList<ResultViewModel*> arrangedResults();
    // Asks the engine for a search; from now until it reports its end, Delete is inert.
    void requestSearch();
    // Announces the flag only when it changes.
    void setFlag(bool& flag, bool value, void (MainViewModel::*changed)());

    bool isFiltering_ = false;
    bool isSearching_ = false;
    bool isCleaning_ = false;
    bool isAuthenticated_ = false;
    bool isShowingSummary_ = false;
    bool searchStopped_ = false;
    QString selectionInfo_;
    bool hasSelection_ = false;
    QString searchCategory_;
    float progress_ = 0;
    QString alertTitle_;
    QString alertText_;
    bool selectionUpdatePending_ = false;
    QString filterText_;
    SortBy sortBy_;
    // The monitor's latest word on each program: it speaks only of changes, and the nodes of
    // every new search must start from it.
    QHash<QString, bool> appRunning_;

    std::vector<std::unique_ptr<ResultViewModel>> allResults_;
    QList<ResultViewModel*> results_;
    PermissionsViewModel* permissions_;   // owned as a child
    CleaningProgressViewModel* cleaning_; // owned as a child
    CleaningSummaryModel* summary_;       // owned as a child
    std::shared_ptr<EngineBridge> bridge_;
    std::shared_ptr<IDiskCleaner> cleaner_;
    std::shared_ptr<AppRunnerMonitor> appRunnerMonitor_;
};

} // namespace sorvane
