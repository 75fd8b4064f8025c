#include "CleanSelection.h"

#include "platform/fs/Path.h"
#include "platform/fs/Url.h"
#include "platform/text/EscapedText.h"

#include <algorithm>

namespace sorvane::cli {

namespace {

// The location as the engine writes it: absolute, without repeated or trailing slashes.
std::string normalisedLocation(const std::string& path) {
    if (path.starts_with("/")) {
        return Url(path).path();
    }
    return Url(Path::workingFolder() + "/" + path).path();
}

bool hasLocation(const ItemFinding& item, const std::string& location) {
    const auto locations = item.locations();
    return std::find(locations.begin(), locations.end(), location) != locations.end();
}

// Cleaning a group removes every location it stands for, so naming just one of them must not
// quietly remove the others.
std::optional<std::string> groupLeftPartial(const std::string& path, const ItemFinding& item,
                                            const std::set<std::string>& given) {
    const auto locations = item.locations();
    if (std::all_of(locations.begin(), locations.end(),
                    [&](const std::string& location) { return given.count(location) != 0; })) {
        return std::nullopt;
    }
    std::string listed;
    for (const auto& location : locations) {
        listed += (listed.empty() ? "'" : ", '") + EscapedText::escape(location) + "'";
    }
    return "--path '" + EscapedText::escape(path) + "' is one location of the group '" +
           EscapedText::escape(item.name) + "', which is only cleaned whole; give all of its " +
           "locations: " + listed;
}

} // namespace

CleanSelection::CleanSelection(std::vector<CategoryFinding> findings,
                               const std::vector<std::string>& wholeCategories)
    : findings_(std::move(findings)) {
    for (const auto& category : findings_) {
        const bool whole = std::find(wholeCategories.begin(), wholeCategories.end(),
                                     category.key) != wholeCategories.end();
        picked_.emplace_back(category.items.size(), whole);
    }
}

std::optional<std::string> CleanSelection::addPaths(const std::vector<std::string>& paths) {
    std::set<std::string> given;
    std::transform(paths.begin(), paths.end(), std::inserter(given, given.end()),
                   normalisedLocation);
    for (const auto& path : paths) {
        if (auto problem = addPath(path, given)) {
            return problem;
        }
    }
    return std::nullopt;
}

std::optional<std::string> CleanSelection::addPath(const std::string& path,
                                                   const std::set<std::string>& given) {
    const std::string location = normalisedLocation(path);
    bool matched = false;
    for (std::size_t c = 0; c < findings_.size(); ++c) {
        for (std::size_t i = 0; i < findings_[c].items.size(); ++i) {
            const ItemFinding& item = findings_[c].items[i];
            if (!hasLocation(item, location)) {
                continue;
            }
            if (!picked_[c][i]) {
                if (auto problem = groupLeftPartial(path, item, given)) {
                    return problem;
                }
            }
            picked_[c][i] = true;
            matched = true;
        }
    }
    if (!matched) {
        return "no item was found at '" + EscapedText::escape(path) + "'";
    }
    return std::nullopt;
}

std::vector<SelectedItem> CleanSelection::items() const {
    std::vector<SelectedItem> selected;
    for (std::size_t c = 0; c < findings_.size(); ++c) {
        for (std::size_t i = 0; i < findings_[c].items.size(); ++i) {
            if (picked_[c][i]) {
                selected.push_back({findings_[c].key, findings_[c].items[i]});
            }
        }
    }
    return selected;
}

} // namespace sorvane::cli
