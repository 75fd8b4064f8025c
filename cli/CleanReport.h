#pragma once

#include "Findings.h"
#include "engine/CleaningReport.h"
#include "platform/keep/KeepList.h"

#include <cstdio>
#include <string>
#include <vector>

namespace sorvane::cli {

struct SelectedItem {
    std::string categoryKey;
    ItemFinding item;
};

// A selected category a cleaning left out, and why: "running" (its program runs) or "unknown"
// (no category has the key; the name is then empty).
struct SkippedCategory {
    std::string key;
    std::string name;
    std::string reason;
};

// The report of `clean`: what was selected and, once the cleaning ran, which of the selected
// locations are gone and which remain.
class CleanReport {
public:
    CleanReport(std::string layout, std::string home, std::vector<SelectedItem> selection);
    // The age limit the search took (--older-than), 0 for any age; the report names it.
    void setOlderThanDays(int days) { olderThanDays_ = days; }

    // Looks at every selected location after a cleaning (links are not followed); one that
    // holds nothing but what the keep list keeps, and the folders on the way to it, was cleaned
    // as far as it may be and counts as kept, not as remaining. The summary says what the
    // cleaning freed and why each remaining location stays; one the age limit left, its old
    // part gone, counts as trimmed.
    void recordOutcome(const KeepList& keep, const CleaningSummary& summary);
    void setSkipped(std::vector<SkippedCategory> skipped) { skipped_ = std::move(skipped); }
    bool cleaned() const { return cleaned_; }
    bool everythingGone() const { return remaining_.empty(); }

    void writeText(std::FILE* out) const;
    void writeJson(std::FILE* out) const;

private:
    std::uint64_t selectedSize() const;

    std::string layout_;
    int olderThanDays_ = 0;
    std::string home_;
    std::vector<SelectedItem> selection_;
    bool cleaned_ = false;
    std::vector<std::string> deleted_;
    std::vector<RemainingLocation> remaining_;
    std::vector<std::string> kept_;
    // Left in place by the age limit once their old part went.
    std::vector<std::string> trimmed_;
    FreedSpace freed_;
    bool stopped_ = false;
    std::vector<SkippedCategory> skipped_;
};

} // namespace sorvane::cli
