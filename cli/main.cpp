// sorvane-cli: Sorvane's cleaning engine without a window.

#include "CleanReport.h"
#include "CommandLine.h"
#include "EngineSession.h"
#include "Findings.h"
#include "ScanReport.h"
#include "finders/PredefinedCategories.h"
#include "platform/fs/Anchor.h"
#include "platform/fs/DescriptorLimit.h"
#include "platform/fs/Path.h"
#include "platform/fs/Url.h"
#include "platform/places/Directory.h"
#include "platform/places/FreedesktopFolders.h"
#include "platform/places/Layout.h"
#include "platform/places/SystemRoot.h"
#include "platform/text/EscapedText.h"

#include <QCoreApplication>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <set>
#include <string>
#include <unistd.h>
#include <variant>
#include <vector>

using namespace sorvane;
using namespace sorvane::cli;

namespace {

constexpr int usageError = 2;

int fail(const std::string& message) {
    std::fprintf(stderr, "sorvane-cli: %s\n", message.c_str());
    return usageError;
}

// The report goes to the original standard output; everything else written to standard
// output from here on (the platform prints a line for each listing or removal that fails)
// goes to standard error, so that a JSON report stays a valid document.
std::FILE* separateReportFromMessages() {
    const int reportDescriptor = dup(STDOUT_FILENO);
    if (reportDescriptor < 0 || dup2(STDERR_FILENO, STDOUT_FILENO) < 0) {
        return stdout;
    }
    std::FILE* report = fdopen(reportDescriptor, "w");
    return report != nullptr ? report : stdout;
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

// Building the categories looks up application icons, and the platform prints a line for each
// application folder that is missing; those lines say nothing about the user's request and must
// not bury a usage error, so they are dropped while the list is built.
CategoryList buildCategoriesQuietly() {
    std::fflush(stdout);
    const int saved = dup(STDOUT_FILENO);
    const int sink = open("/dev/null", O_WRONLY | O_CLOEXEC);
    if (saved >= 0 && sink >= 0) {
        dup2(sink, STDOUT_FILENO);
    }
    CategoryList all = predefinedCategories();
    std::fflush(stdout);
    if (saved >= 0) {
        dup2(saved, STDOUT_FILENO);
        close(saved);
    }
    if (sink >= 0) {
        close(sink);
    }
    return all;
}

// The categories whose keys were given, in engine order; the message naming an unknown key.
std::variant<CategoryList, std::string> chooseCategories(const std::vector<std::string>& keys) {
    CategoryList all = buildCategoriesQuietly();
    std::string valid;
    std::set<std::string> known;
    for (const auto& category : all) {
        const std::string key = category->key();
        valid += (valid.empty() ? "" : ", ") + key;
        known.insert(key);
    }
    for (const auto& key : keys) {
        if (known.count(key) == 0) {
            return "unknown category key '" + EscapedText::escape(key) + "'; valid keys: " + valid;
        }
    }
    if (keys.empty()) {
        return all;
    }
    CategoryList chosen;
    for (const auto& category : all) {
        if (std::find(keys.begin(), keys.end(), category->key()) != keys.end()) {
            chosen.push_back(category);
        }
    }
    return chosen;
}

std::string homePath() {
    if (Layout::current() == LayoutKind::freedesktop) {
        return Layout::freedesktopFolders().home.path();
    }
    return url(Directory::user).path();
}

std::string layoutName() {
    return Layout::name(Layout::current());
}

int scan(const CommandLine& line, std::FILE* out) {
    auto chosen = chooseCategories(line.categoryKeys);
    if (const auto* error = std::get_if<std::string>(&chosen)) {
        return fail(*error);
    }
    EngineSession session(std::get<CategoryList>(std::move(chosen)));
    session.search();
    const ScanReport report(layoutName(), homePath(), collectFindings(session.categories()));
    if (line.json) {
        report.writeJson(out);
    } else {
        report.writeText(out, line.items);
    }
    return 0;
}

bool hasLocation(const ItemFinding& item, const std::string& path) {
    const auto locations = item.locations();
    return std::find(locations.begin(), locations.end(), path) != locations.end();
}

// Cleaning a group removes every location it stands for, so naming just one of them must not
// quietly remove the others.
bool allLocationsGiven(const ItemFinding& item, const std::set<std::string>& given) {
    const auto locations = item.locations();
    return std::all_of(locations.begin(), locations.end(),
                       [&](const std::string& location) { return given.count(location) != 0; });
}

std::string partOfGroupMessage(const std::string& path, const ItemFinding& item) {
    std::string locations;
    for (const auto& location : item.locations()) {
        locations += (locations.empty() ? "'" : ", '") + EscapedText::escape(location) + "'";
    }
    return "--path '" + EscapedText::escape(path) + "' is one location of the group '" +
           EscapedText::escape(item.name) + "', which is only cleaned whole; give all of its " +
           "locations: " + locations;
}

// The location as the engine writes it: absolute, without repeated or trailing slashes.
std::string normalisedLocation(const std::string& path) {
    if (path.starts_with("/")) {
        return Url(path).path();
    }
    return Url(Path::workingFolder() + "/" + path).path();
}

int clean(const CommandLine& line, std::FILE* out) {
    // A path may name an item of any category, so then every category is searched.
    auto chosen =
        chooseCategories(line.paths.empty() ? line.categoryKeys : std::vector<std::string>{});
    if (auto* error = std::get_if<std::string>(&chosen)) {
        return fail(*error);
    }
    if (auto check = chooseCategories(line.categoryKeys);
        std::holds_alternative<std::string>(check)) {
        return fail(std::get<std::string>(check));
    }
    EngineSession session(std::get<CategoryList>(std::move(chosen)));
    session.search();
    const auto findings = collectFindings(session.categories());

    std::vector<std::vector<bool>> picked;
    for (const auto& category : findings) {
        const bool whole = std::find(line.categoryKeys.begin(), line.categoryKeys.end(),
                                     category.key) != line.categoryKeys.end();
        picked.emplace_back(category.items.size(), whole);
    }
    std::set<std::string> given;
    for (const auto& path : line.paths) {
        given.insert(normalisedLocation(path));
    }
    for (const auto& path : line.paths) {
        if (Anchor::hasDotComponent(path)) {
            return fail(
                "'" + EscapedText::escape(path) +
                "' holds a '.' or '..' component; give the location as the reports write it");
        }
        const std::string location = normalisedLocation(path);
        bool matched = false;
        for (std::size_t c = 0; c < findings.size(); ++c) {
            for (std::size_t i = 0; i < findings[c].items.size(); ++i) {
                const ItemFinding& item = findings[c].items[i];
                if (!hasLocation(item, location)) {
                    continue;
                }
                if (!picked[c][i] && !allLocationsGiven(item, given)) {
                    return fail(partOfGroupMessage(path, item));
                }
                picked[c][i] = true;
                matched = true;
            }
        }
        if (!matched) {
            return fail("no item was found at '" + EscapedText::escape(path) + "'");
        }
    }
    std::vector<SelectedItem> selection;
    for (std::size_t c = 0; c < findings.size(); ++c) {
        for (std::size_t i = 0; i < findings[c].items.size(); ++i) {
            if (picked[c][i]) {
                selection.push_back({findings[c].key, findings[c].items[i]});
            }
        }
    }
    if (selection.empty()) {
        return fail("nothing selected: the chosen categories hold no items");
    }
    CleanReport report(layoutName(), homePath(), selection);
    if (line.yes) {
        for (const auto& selected : selection) {
            selected.item.item->setSelected(true);
        }
        session.clean();
        report.recordOutcome();
    }
    if (line.json) {
        report.writeJson(out);
    } else {
        report.writeText(out);
    }
    return report.cleaned() && !report.everythingGone() ? 1 : 0;
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
        break;
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
    return line.command == Command::scan ? scan(line, out) : clean(line, out);
}

} // namespace

int main(int argc, char** argv) {
    DescriptorLimit::raiseToHardLimit();
    std::FILE* out = separateReportFromMessages();
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
