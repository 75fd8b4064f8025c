#pragma once

#include "Findings.h"

#include <cstdio>
#include <string>
#include <vector>

namespace sorvane::cli {

// The report of `scan`: one entry per category with its items, and the total.
class ScanReport {
public:
    ScanReport(std::string layout, std::string home, std::vector<CategoryFinding> categories);
    // The age limit the search took (--older-than), 0 for any age; the report names it.
    void setOlderThanDays(int days) { olderThanDays_ = days; }

    void writeText(std::FILE* out, bool withItems) const;
    void writeJson(std::FILE* out) const;

private:
    std::string layout_;
    int olderThanDays_ = 0;
    std::string home_;
    std::vector<CategoryFinding> categories_;
};

} // namespace sorvane::cli
