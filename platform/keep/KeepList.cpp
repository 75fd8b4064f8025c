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

const KeepRule* KeepList::keeperOf(std::string_view path) const {
    const auto found = std::find_if(rules_.begin(), rules_.end(),
                                    [&](const KeepRule& rule) { return rule.entry.keeps(path); });
    return found == rules_.end() ? nullptr : &*found;
}

bool KeepList::guardsBelow(std::string_view path) const {
    return std::any_of(rules_.begin(), rules_.end(),
                       [&](const KeepRule& rule) { return rule.entry.leadsBelow(path); });
}

} // namespace sorvane
