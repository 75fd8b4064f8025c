// sorvane-cli: Sorvane's cleaning engine without a window.

#include "CategoryCatalog.h"
#include "CleanReport.h"
#include "CleanSelection.h"
#include "CommandLine.h"
#include "EngineSession.h"
#include "Findings.h"
#include "HistoryCommand.h"
#include "KeepCommand.h"
#include "ScanReport.h"
#include "ScheduleCommand.h"
#include "platform/desktop/RunningApplications.h"
#include "platform/fs/Anchor.h"
#include "platform/fs/DescriptorLimit.h"
#include "platform/fs/Path.h"
#include "platform/fs/Url.h"
#include "platform/journal/CleaningJournal.h"
#include "platform/keep/KeepList.h"
#include "platform/keep/KeepListFile.h"
#include "platform/places/Directory.h"
#include "platform/places/FreedesktopFolders.h"
#include "platform/places/Layout.h"
#include "platform/places/SystemRoot.h"
#include "platform/text/EscapedText.h"

#include <QCoreApplication>
#include <QLoggingCategory>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <unistd.h>
#include <variant>
#include <vector>

using namespace sorvane;
using namespace sorvane::cli;

namespace {

constexpr int usageError = 2;
// As a shell reports a program ended by SIGINT.
constexpr int interruptedStatus = 130;

int fail(const std::string& message) {
    std::fprintf(stderr, "sorvane-cli: %s\n", message.c_str());
    return usageError;
}

// The macOS home folder is always the first two levels of the home path.
std::optional<std::string> useMacosHome(const std::string& folder) {
    const std::string home = Path::absolute(folder);
    const auto pieces = std::count(home.begin(), home.end(), '/');
    if (pieces != 2 || home.size() < 4) {
        return "--home '" + EscapedText::escape(folder) +
               "' must lie exactly two levels below / in the macOS layout (as /Users/name does), "
               "because the home "
               "folder is always the first two levels of the home path";
    }
    // Everything is reached from the home without following links, so the home itself must be
    // the folder meant, not a link that could be pointed elsewhere.
    if (Path::isLink(home)) {
        return "--home '" + EscapedText::escape(folder) +
               "' is a symbolic link; give the folder itself";
    }
    setenv("HOME", home.c_str(), 1); // NOLINT(concurrency-mt-unsafe)
    if (!Path::isDirectory(home)) {
        return "--home '" + EscapedText::escape(folder) + "' is not a folder";
    }
    return std::nullopt;
}

// The layout asked for: --layout, else SORVANE_LAYOUT, else nothing (the home decides).
std::variant<std::optional<LayoutKind>, std::string> askedLayout(const CommandLine& line) {
    if (line.layout) {
        return line.layout;
    }
    const auto fromVariable = Layout::fromVariable();
    if (const auto* problem = std::get_if<std::string>(&fromVariable)) {
        return *problem;
    }
    if (const auto* kind = std::get_if<LayoutKind>(&fromVariable)) {
        return std::optional(*kind);
    }
    return std::optional<LayoutKind>();
}

// Fixes the layout for the run, with the home given or $HOME; the reason the home cannot be
// used, if it cannot.
std::optional<std::string> useLayout(const CommandLine& line) {
    const auto asked = askedLayout(line);
    if (const auto* problem = std::get_if<std::string>(&asked)) {
        return *problem;
    }
    if (line.home && Anchor::hasDotComponent(*line.home)) {
        return "--home '" + EscapedText::escape(*line.home) +
               "' must not hold a '.' or '..' component";
    }
    // The automatic choice looks at the home that will be scanned.
    if (line.home) {
        setenv("HOME", Path::absolute(*line.home).c_str(), 1); // NOLINT(concurrency-mt-unsafe)
    }
    const LayoutKind kind =
        std::get<std::optional<LayoutKind>>(asked).value_or(Layout::automatic());
    if (kind == LayoutKind::macos) {
        if (line.home) {
            if (auto error = useMacosHome(*line.home)) {
                return error;
            }
        }
        Layout::choose(kind);
        return std::nullopt;
    }
    // A freedesktop home is $HOME as it stands, wherever it lies, but never a link.
    const char* variable = std::getenv("HOME"); // NOLINT(concurrency-mt-unsafe)
    const std::string home = variable != nullptr ? variable : "";
    if (const std::string problem = FreedesktopFolders::problemWith(home); !problem.empty()) {
        const std::string given = line.home ? "--home '" + EscapedText::escape(*line.home) + "'"
                                            : "$HOME '" + EscapedText::escape(home) + "'";
        return given + " cannot be scanned: " + problem;
    }
    Layout::choose(kind, line.home ? FreedesktopFolders::under(home)
                                   : FreedesktopFolders::fromEnvironment());
    return std::nullopt;
}

std::optional<std::string> useRoot(const std::string& folder) {
    const std::string root = Path::absolute(folder);
    if (!Path::isDirectory(root)) {
        return "--root '" + EscapedText::escape(folder) + "' is not a folder";
    }
    SystemRoot::set(root);
    return std::nullopt;
}

std::string layoutName() {
    return Layout::name(Layout::current());
}

int scan(const CommandLine& line, std::FILE* out) {
    auto matched = CategoryCatalog::build().match(line.categoryKeys);
    if (const auto* error = std::get_if<std::string>(&matched)) {
        return fail(*error);
    }
    EngineSession session(std::get<CategoryList>(std::move(matched)));
    session.setOlderThanDays(line.olderThanDays.value_or(0));
    session.search();
    ScanReport report(layoutName(), Layout::home(), collectFindings(session.categories()));
    report.setOlderThanDays(line.olderThanDays.value_or(0));
    if (line.json) {
        report.writeJson(out);
    } else {
        report.writeText(out, line.items);
    }
    return 0;
}

// A location is matched by name against what the search found, so one that steps through '.'
// or '..' could only ever name something else; it is refused before the search takes its time,
// as is a kept one, which no search offers.
std::optional<std::string> problemWithPaths(const std::vector<std::string>& paths) {
    const KeepList keep = KeepList::current();
    for (const auto& path : paths) {
        if (Anchor::hasDotComponent(path)) {
            return "'" + EscapedText::escape(path) +
                   "' holds a '.' or '..' component; give the location as the reports write it";
        }
        if (const KeepRule* rule = keep.keeperOf(Url(Path::absolute(path)).path())) {
            return "--path '" + EscapedText::escape(path) + "' is kept by '" +
                   EscapedText::escape(rule->entry.text()) + "' (see sorvane-cli keep)";
        }
    }
    return std::nullopt;
}

// What a cleaning searches: the categories asked for (every one when a path is given, since a
// path may name an item of any category), the keys it selects whole, and the categories it
// leaves out. The message naming an unknown key, unless --skip-unknown lets it pass.
struct Chosen {
    CategoryList categories;
    std::vector<std::string> keys;
    std::vector<SkippedCategory> skipped;
};

// A category whose program runs may be writing its cache this moment; an unattended cleaning
// leaves it for a later run.
void leaveOutRunning(const CategoryCatalog& catalog, Chosen& chosen) {
    RunningApplications running;
    const auto identifiers = running.readNow();
    for (const auto& category : catalog.all()) {
        const auto identifier = category->bundleIdentifier();
        const auto key = std::find(chosen.keys.begin(), chosen.keys.end(), category->key());
        if (identifier && key != chosen.keys.end() && identifiers->contains(*identifier)) {
            chosen.keys.erase(key);
            chosen.skipped.push_back(
                {category->key(), category->result()->name().toStdString(), "running"});
        }
    }
}

std::variant<Chosen, std::string> chooseCategories(const CommandLine& line) {
    const CategoryCatalog catalog = CategoryCatalog::build();
    Chosen chosen;
    for (const auto& key : line.categoryKeys) {
        const bool known =
            std::any_of(catalog.all().begin(), catalog.all().end(),
                        [&](const auto& category) { return category->key() == key; });
        if (known || !line.skipUnknown) {
            chosen.keys.push_back(key);
        } else {
            chosen.skipped.push_back({key, {}, "unknown"});
        }
    }
    if (line.skipRunning) {
        leaveOutRunning(catalog, chosen);
    }
    if (chosen.keys.empty() && line.paths.empty()) {
        return chosen; // every category asked for was left out
    }
    auto matched = catalog.match(chosen.keys);
    if (const auto* error = std::get_if<std::string>(&matched)) {
        return *error;
    }
    chosen.categories =
        line.paths.empty() ? std::get<CategoryList>(std::move(matched)) : catalog.all();
    return chosen;
}

// The items the command line names among the findings; the reason it names none or cannot
// have one of them. Left-out categories make an empty selection a run with nothing to do.
std::variant<std::vector<SelectedItem>, std::string>
selectItems(std::vector<CategoryFinding> findings, const CommandLine& line,
            const std::vector<std::string>& keys) {
    CleanSelection selection(std::move(findings), keys);
    if (auto problem = selection.addPaths(line.paths)) {
        return *problem;
    }
    auto items = selection.items();
    if (items.empty() && !line.skipRunning && !line.skipUnknown) {
        return "nothing selected: the chosen categories hold no items";
    }
    return items;
}

void cleanSelected(EngineSession& session, const std::vector<SelectedItem>& selection,
                   CleanReport& report) {
    for (const auto& selected : selection) {
        selected.item.item->setSelected(true);
    }
    session.clean();
    report.recordOutcome(KeepList::current(), session.summary());
}

// Writes the report; the exit status says whether anything cleaned stayed behind.
int writeReport(const CleanReport& report, const CommandLine& line, std::FILE* out) {
    if (line.json) {
        report.writeJson(out);
    } else {
        report.writeText(out);
    }
    return report.cleaned() && !report.everythingGone() ? 1 : 0;
}

int clean(const CommandLine& line, std::FILE* out) {
    auto chosen = chooseCategories(line);
    if (const auto* error = std::get_if<std::string>(&chosen)) {
        return fail(*error);
    }
    if (const auto problem = problemWithPaths(line.paths)) {
        return fail(*problem);
    }
    auto& [categories, keys, skipped] = std::get<Chosen>(chosen);
    EngineSession session(std::move(categories));
    session.setOlderThanDays(line.olderThanDays.value_or(0));
    if (!session.categories().empty()) {
        session.search();
    }
    const auto selection = selectItems(collectFindings(session.categories()), line, keys);
    if (const auto* error = std::get_if<std::string>(&selection)) {
        return fail(*error);
    }
    const auto& selected = std::get<std::vector<SelectedItem>>(selection);
    CleanReport outcome(layoutName(), Layout::home(), selected);
    outcome.setSkipped(std::move(skipped));
    outcome.setOlderThanDays(line.olderThanDays.value_or(0));
    if (line.yes && !selected.empty()) {
        cleanSelected(session, selected, outcome);
    }
    const int status = writeReport(outcome, line, out);
    return session.interrupted() ? interruptedStatus : status;
}

int run(const CommandLine& line, std::FILE* out) {
    switch (line.command) {
    case Command::help:
        std::fputs(usageText, out);
        return 0;
    case Command::version:
        std::fprintf(out, "sorvane-cli %s\n", SORVANE_VERSION);
        return 0;
    case Command::scan:
    case Command::clean:
    case Command::keep:
    case Command::history:
    case Command::schedule:
        break;
    }
    // The keep list lies with the settings of the home that is cleaned.
    if (line.home) {
        KeepListFile::useLocation(Path::absolute(*line.home) + "/.config/Sorvane/keep.list");
        CleaningJournal::useFolder(Path::absolute(*line.home) + "/.local/state/sorvane");
    }
    if (line.command == Command::history) {
        return HistoryCommand(line).run(out);
    }
    // The root first: choosing the layout takes the system root as it is then.
    if (line.root) {
        if (const auto error = useRoot(*line.root)) {
            return fail(*error);
        }
    }
    if (const auto error = useLayout(line)) {
        return fail(*error);
    }
    if (line.command == Command::keep) {
        return KeepCommand(line).run(out);
    }
    if (line.command == Command::schedule) {
        return ScheduleCommand(line).run(out);
    }
    return line.command == Command::scan ? scan(line, out) : clean(line, out);
}

} // namespace

int main(int argc, char** argv) {
    DescriptorLimit::raiseToHardLimit();
    std::FILE* out = stdout;
    // The core logs to standard error, which leaves standard output to the report alone. A
    // folder that could not be listed says nothing about the user's request; a location that
    // stayed does, and is named with its reason.
    qSetMessagePattern(QStringLiteral("sorvane-cli: %{message}"));
    QLoggingCategory::setFilterRules(QStringLiteral("sorvane.*.info=false"));
    // Copied before Qt looks at the arguments: it may take some out of argv.
    const std::vector<std::string> arguments(argv + 1, argv + argc);
    QCoreApplication application(argc, argv);
    const auto parsed = CommandLine::parse(arguments);
    int status = 0;
    if (const auto* error = std::get_if<std::string>(&parsed)) {
        status = fail(*error);
    } else {
        status = run(std::get<CommandLine>(parsed), out);
    }
    std::fflush(out);
    return status;
}
