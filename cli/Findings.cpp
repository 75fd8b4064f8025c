#include "Findings.h"

namespace sorvane::cli {

std::vector<std::string> ItemFinding::locations() const {
    std::vector<std::string> all;
    if (url) {
        all.push_back(*url);
    }
    all.insert(all.end(), suburls.begin(), suburls.end());
    return all;
}

std::vector<CategoryFinding> collectFindings(const CategoryList& categories) {
    std::vector<CategoryFinding> findings;
    for (const auto& category : categories) {
        const auto result = category->result();
        CategoryFinding finding;
        finding.key = category->key();
        finding.name = result->name().toStdString();
        if (const auto identifier = category->bundleIdentifier()) {
            finding.bundleIdentifier = identifier->toStdString();
        }
        for (const auto& item : result->items()) {
            ItemFinding entry;
            entry.item = item;
            entry.name = item->name().toStdString();
            if (item->url()) {
                entry.url = item->url()->path();
            }
            for (const auto& suburl : item->suburls()) {
                entry.suburls.push_back(suburl.path());
            }
            // Measured once by the engine during the search.
            entry.size = item->measuredSize();
            entry.sizeComplete = item->measuredWhole();
            finding.size += entry.size;
            finding.items.push_back(std::move(entry));
        }
        finding.kept = result->kept();
        findings.push_back(std::move(finding));
    }
    return findings;
}

} // namespace sorvane::cli
