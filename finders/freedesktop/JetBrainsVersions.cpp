#include "JetBrainsVersions.h"

#include "FreedesktopBlocks.h"

#include <map>

namespace sorvane {

namespace {

bool isAsciiLetter(char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

bool isAsciiDigit(char c) {
    return c >= '0' && c <= '9';
}

// Digits compared as the numbers they write, however many there are.
int compareNumbers(const std::string& a, const std::string& b) {
    const auto significant = [](const std::string& digits) {
        const auto first = digits.find_first_not_of('0');
        return first == std::string::npos ? std::string() : digits.substr(first);
    };
    const std::string x = significant(a);
    const std::string y = significant(b);
    if (x.size() != y.size()) {
        return x.size() < y.size() ? -1 : 1;
    }
    return x.compare(y);
}

} // namespace

bool JetBrainsVersions::Version::isNewerThan(const Version& other) const {
    const int years = compareNumbers(year, other.year);
    if (years != 0) {
        return years > 0;
    }
    return compareNumbers(number, other.number) > 0;
}

std::optional<JetBrainsVersions::Version> JetBrainsVersions::parse(const std::string& name) {
    std::size_t at = 0;
    while (at < name.size() && isAsciiLetter(name[at])) {
        ++at;
    }
    const std::size_t letters = at;
    if (letters == 0 || name.size() < letters + 6) {
        return std::nullopt;
    }
    for (std::size_t i = letters; i < letters + 4; ++i) {
        if (!isAsciiDigit(name[i])) {
            return std::nullopt;
        }
    }
    if (name[letters + 4] != '.') {
        return std::nullopt;
    }
    for (std::size_t i = letters + 5; i < name.size(); ++i) {
        if (!isAsciiDigit(name[i])) {
            return std::nullopt;
        }
    }
    return Version{name.substr(0, letters), name.substr(letters, 4), name.substr(letters + 5)};
}

JetBrainsVersions::Split JetBrainsVersions::splitIn(const Url& folder) {
    struct Candidate {
        Url location;
        Version version;
    };
    std::vector<Candidate> candidates;
    for (const Url& entry : finder::profiles(folder)) {
        if (auto version = parse(entry.lastPathComponent())) {
            candidates.push_back({entry, std::move(*version)});
        }
    }
    // The newest of each product; on a tie the first in listing order stays.
    std::map<std::string, std::size_t> newest;
    for (std::size_t i = 0; i < candidates.size(); ++i) {
        const auto [kept, added] = newest.try_emplace(candidates[i].version.product, i);
        if (!added && candidates[i].version.isNewerThan(candidates[kept->second].version)) {
            kept->second = i;
        }
    }
    Split split;
    for (std::size_t i = 0; i < candidates.size(); ++i) {
        (newest.at(candidates[i].version.product) == i ? split.newest : split.older)
            .push_back(candidates[i].location);
    }
    return split;
}

} // namespace sorvane
