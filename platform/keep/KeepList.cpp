#include "KeepList.h"

#include "BuiltInKeeps.h"
#include "KeepListFile.h"
#include "platform/places/Layout.h"

#include <QLoggingCategory>

#include <algorithm>

namespace sorvane {

namespace {

Q_LOGGING_CATEGORY(keepLog, "sorvane.keep")

} // namespace

KeepList KeepList::current() {
    const std::string home = Layout::home();
    std::vector<KeepRule> rules;
    const KeepListFile::Lines lines = KeepListFile::read();
    for (const auto& line : lines.entries) {
        auto parsed = KeepEntry::parse(line, home);
        if (auto* entry = std::get_if<KeepEntry>(&parsed)) {
            rules.push_back({std::move(*entry), {}});
        } else {
            qCWarning(keepLog).noquote() << QString::fromStdString(
                KeepListFile::location() + ": " + std::get<std::string>(parsed) + ", left out");
        }
    }
    if (Layout::current() == LayoutKind::freedesktop) {
        for (const auto& builtIn : BuiltInKeeps::freedesktop()) {
            auto parsed = KeepEntry::parse(builtIn.entry, home);
            rules.push_back({std::get<KeepEntry>(std::move(parsed)), builtIn.reason});
        }
    }
    return KeepList(std::move(rules));
}

KeepList::KeepList(std::vector<KeepRule> rules)
    : rules_(std::move(rules)) {
    for (std::size_t index = 0; index < rules_.size(); ++index) {
        if (rules_[index].entry.isLiteral()) {
            literal_.emplace(rules_[index].entry.base(), index);
        } else {
            patterns_.push_back(index);
        }
    }
}

const KeepRule* KeepList::keeperOf(std::string_view path) const {
    // The location and each folder above it, as a literal entry would name them.
    std::string level;
    for (std::size_t at = 0; at < path.size();) {
        const std::size_t end = std::min(path.find('/', at), path.size());
        if (end > at) {
            level.append("/").append(path.substr(at, end - at));
            if (const auto found = literal_.find(level); found != literal_.end()) {
                return &rules_[found->second];
            }
        }
        at = end + 1;
    }
    for (const std::size_t index : patterns_) {
        if (rules_[index].entry.keeps(path)) {
            return &rules_[index];
        }
    }
    return nullptr;
}

bool KeepList::guardsBelow(std::string_view path) const {
    std::string folder;
    for (std::size_t at = 0; at < path.size();) {
        const std::size_t end = std::min(path.find('/', at), path.size());
        if (end > at) {
            folder.append("/").append(path.substr(at, end - at));
        }
        at = end + 1;
    }
    folder += "/";
    const auto below = literal_.lower_bound(folder);
    if (below != literal_.end() && below->first.starts_with(folder)) {
        return true;
    }
    return std::any_of(patterns_.begin(), patterns_.end(),
                       [&](std::size_t index) { return rules_[index].entry.leadsBelow(path); });
}

} // namespace sorvane
