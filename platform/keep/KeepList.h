#pragma once

#include "KeepEntry.h"

#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace sorvane {

// One entry of the keep list with where it comes from: the user's own, or built in with the
// reason it may never go.
struct KeepRule {
    KeepEntry entry;
    // Empty for the user's entries.
    std::string reason;

    bool builtIn() const { return !reason.empty(); }
};

// What must never be offered, measured as junk or removed: the user's keep list and the
// built-in entries of the layout in use. The removal receives it and obeys it whatever it was
// asked to remove.
class KeepList {
public:
    KeepList() = default;
    explicit KeepList(std::vector<KeepRule> rules);

    // The user's entries as stored now, read afresh, and the built-in ones of the layout in use;
    // lines that are no entry are logged and left out.
    static KeepList current();

    const std::vector<KeepRule>& rules() const { return rules_; }
    bool empty() const { return rules_.empty(); }
    // The first rule that keeps the location (it or a folder above it is named), if any.
    const KeepRule* keeperOf(std::string_view path) const;
    // Whether a kept location may lie strictly below the location, which must then be entered
    // rather than removed or measured whole.
    bool guardsBelow(std::string_view path) const;

private:
    std::vector<KeepRule> rules_;
    // Entries that name one location each, by that location: a list that kept a category's
    // thousands of items answers in a few lookups, not a comparison with each entry.
    std::map<std::string, std::size_t, std::less<>> literal_;
    std::vector<std::size_t> patterns_;
};

} // namespace sorvane
