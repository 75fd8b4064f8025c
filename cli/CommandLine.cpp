#include "CommandLine.h"

#include "platform/fs/AgeLimit.h"
#include "platform/text/EscapedText.h"

#include <algorithm>
#include <functional>
#include <map>

namespace sorvane::cli {

const char* const usageText =
    R"(Usage: sorvane-cli scan  [--json] [--items] [--category KEY]... [--home DIR] [--root DIR]
                          [--layout L]
       sorvane-cli clean (--category KEY | --path PATH)... [--yes] [--json] [--home DIR]
                          [--root DIR] [--layout L]
       sorvane-cli keep [list] [--json] [--home DIR] [--root DIR] [--layout L]
       sorvane-cli keep add|remove ENTRY... [--home DIR] [--root DIR] [--layout L]
       sorvane-cli scan|clean ... --older-than DAYS
       sorvane-cli history [--json] [--since DATE] [--home DIR]
       sorvane-cli schedule --every daily|weekly|monthly --category KEY... [--older-than DAYS]
                          [--home DIR] [--root DIR] [--layout L]
       sorvane-cli schedule --show | --off [--home DIR]
       sorvane-cli --help | --version

Finds disposable data in a home folder and deletes what you select, with the same engine and
the same categories as the Sorvane application: the nineteen of a macOS account
(<home>/Library/...) or the twenty-four of a Linux desktop laid out by the freedesktop conventions
(XDG base folders, the freedesktop trash). The reports name the layout.

Commands:
  scan    Search every category (or only those given with --category) and print, per category,
          its name, key, item count and size, then the total.
  clean   Select every item of a category (--category KEY) or the item that has exactly the
          location PATH as its location or one of its further locations (--path PATH), and show
          what would be deleted. Nothing is deleted without --yes.
  keep    Show the keep list: what is never offered, measured or deleted, with what each entry
          holds now; the built-in entries of the layout are shown with their reason. keep add
          and keep remove change the user's entries.
  history Show the journal of cleanings: one line per location a cleaning removed or left,
          with its time, category, result, size freed on disk, location and the reason it
          stayed. --since DATE (YYYY-MM-DD, local midnight, or an ISO 8601 time) leaves out
          what came before.
  schedule
          Clean the given categories on their own, daily, weekly or monthly: writes
          sorvane-clean.service and sorvane-clean.timer to the user's systemd folder
          ($XDG_CONFIG_HOME/systemd/user, else ~/.config/systemd/user; under DIR/.config with
          --home DIR) and enables the timer with systemctl --user. The service runs this program
          as clean --yes --skip-running --skip-unknown with the categories, at idle priority.
          Where no user service manager answers, the units stay written and the commands that
          enable them are printed (status 1). --show tells what is scheduled, when it runs next
          and how the newest cleaning of the journal ended; --off disables and removes both
          units. See the runs with sorvane-cli history or journalctl --user -u sorvane-clean.

What clean --yes reports:
  "Freed on disk" is the space the file systems got back: the allocated blocks of each file
  and folder whose last link went. It may differ from the sizes found, which count the bytes
  of each file: a file with another hard link outside the selection frees nothing, a sparse or
  compressed file frees less than its length, a file still open in a running program is freed
  only when that program closes it, and a snapshot keeps the blocks it shares. Each location
  that stays is named with its reason: permission-denied, read-only, mount-point, kept,
  already-gone, stopped or failed. The first SIGINT or SIGTERM stops the cleaning at its next
  entry: what went stays gone, the rest is reported as stopped and the status is 130; a second
  one ends the program at once.

The journal:
  $XDG_STATE_HOME/sorvane/journal.jsonl (else ~/.local/state/sorvane/journal.jsonl; under
  DIR/.local/state/sorvane with --home DIR), one JSON object per line with the fields time,
  cleaning, layout, category, location, bytes, result (removed or remaining), reason and
  message. It holds nothing but what Sorvane removed or tried to; past 2 MiB the next cleaning
  trims it to the newest whole cleanings within 1 MiB.

The keep list:
  One entry per line in keep.list beside the settings file ($XDG_CONFIG_HOME/Sorvane, else
  ~/.config/Sorvane; under DIR/.config/Sorvane with --home DIR), shared with the application.
  A line starting with # and anything after a blank and # are comments. An entry is an
  absolute location, ~/ standing for the home; within one component *, ? and [...] match as in
  the shell, and a component ** matches any number of whole components. An entry keeps what it
  names and everything below it, compared component by component (~/.cache/foo keeps nothing
  of ~/.cache/foobar), case-sensitively and without resolving links. An item holding a kept
  location is offered without it: its size leaves it out and cleaning leaves it, with the
  folders on the way to it. No option bypasses the list.

Options:
  --json          Print the report as one JSON document instead of text.
  --items         (scan) List the items of each category with their sizes and locations.
  --category KEY  Limit the scan to, or select for cleaning, the category with this key (for
                  example USER_CACHE); may be given more than once.
  --path PATH     (clean) Select the item found at PATH; may be given more than once. An item
                  that stands for several locations (a group) is only cleaned whole: give
                  every one of its locations, or its category.
  --yes           (clean) Really delete the selection.
  --since DATE    (history) Show only what happened from DATE on.
  --skip-running  (clean) Leave out every selected category whose program runs now, and say so.
  --skip-unknown  (clean) Report a --category key that no category has and clean the others.
                  With either option a selection that holds nothing is not an error.
  --every F       (schedule) daily, weekly or monthly.
  --older-than DAYS
                  (scan, clean) Count only what went unused (neither read nor written) for DAYS
                  days: inside an item only such files are listed, measured and deleted, and the
                  folders that leaves empty, never the item's own folder. A trashed entry counts
                  by the date it was trashed; an old version or a crash report only when all of
                  it is old. Items with nothing that old are not offered. DAYS is a whole number
                  from 1 to 36500.
                  (schedule) Passed on to the scheduled cleaning.
  --show, --off   (schedule) Tell what is scheduled; disable and remove the schedule.
  --home DIR      Take DIR as the home folder for this run. In the macOS layout DIR must lie
                  exactly two levels below / (as /Users/name or /tmp/sample-home do), because
                  the home folder is always the first two levels of the home path. In the
                  freedesktop layout DIR may lie anywhere but must be a folder, not a link; its
                  .cache, .config and .local/share are the base folders and the XDG_CACHE_HOME,
                  XDG_CONFIG_HOME and XDG_DATA_HOME variables are ignored.
  --root DIR      Look up /Applications, /System/Applications, /Volumes and /var/crash under
                  DIR (the environment variable SORVANE_ROOT does the same).
  --layout L      Take the home as laid out by L: macos or freedesktop (wins over the
                  environment variable SORVANE_LAYOUT). Without either, macos when the home
                  folder has a Library folder and freedesktop otherwise.
  --help          Show this text.
  --version       Show the version.

How locations are written:
  File names are bytes and need not be text. In both the text and the JSON report every
  location is written so that it can be given back to --path unchanged: UTF-8 text stays as it
  is, a backslash is written as \\, and every byte that is not part of printable UTF-8 (a byte
  of another encoding, a newline, a tab or another control character) is written as \xHH with
  two hex digits. So is each byte of a character that would change what a terminal shows: DEL,
  the C1 controls (U+0080-U+009F) and the bidirectional controls (U+202A-U+202E,
  U+2066-U+2069). --path reads the same form, so a location with a backslash must be given
  with the backslash doubled.

Exit status:
  0  success; after clean --yes, every selected location is gone
  1  clean --yes left some selected locations in place (they are listed); schedule wrote the
     units but no user service manager enabled them (the commands to run are printed)
  2  usage error: unknown option or key, a bad --since date, a path that matches no item or names a kept location,
     a path that names only part of a group, nothing selected, a keep entry that is relative
     or holds a '.' or '..' component
  130 clean --yes was interrupted (SIGINT or SIGTERM) and stopped before the end
)";

namespace {

struct Parser {
    const std::vector<std::string>& arguments;
    std::size_t at = 0;
    CommandLine line;
    bool commandSeen = false;
    bool keepActionSeen = false;

    std::variant<CommandLine, std::string> run() {
        for (at = 0; at < arguments.size(); ++at) {
            std::string argument = arguments[at];
            std::optional<std::string> inlineValue;
            if (argument.starts_with("--")) {
                if (const auto equals = argument.find('='); equals != std::string::npos) {
                    inlineValue = argument.substr(equals + 1);
                    argument.resize(equals);
                }
            }
            if (auto error = take(argument, inlineValue)) {
                return *error;
            }
        }
        if (!commandSeen) {
            return std::string(
                "no command given; use scan, clean, keep, history or schedule (see --help)");
        }
        return check();
    }

    std::optional<std::string> take(const std::string& argument,
                                    const std::optional<std::string>& inlineValue) {
        if (argument == "--help" || argument == "-h") {
            line.command = Command::help;
            commandSeen = true;
            at = arguments.size();
            return std::nullopt;
        }
        if (argument == "--version") {
            line.command = Command::version;
            commandSeen = true;
            at = arguments.size();
            return std::nullopt;
        }
        const std::map<std::string, bool*> flags{{"--json", &line.json},
                                                 {"--items", &line.items},
                                                 {"--yes", &line.yes},
                                                 {"--skip-running", &line.skipRunning},
                                                 {"--skip-unknown", &line.skipUnknown},
                                                 {"--show", &line.showSchedule},
                                                 {"--off", &line.scheduleOff}};
        if (const auto flag = flags.find(argument); flag != flags.end()) {
            if (inlineValue) {
                return argument + " takes no value";
            }
            *flag->second = true;
            return std::nullopt;
        }
        if (argument == "--category" || argument == "--path" || argument == "--home" ||
            argument == "--root" || argument == "--layout" || argument == "--since" ||
            argument == "--every" || argument == "--older-than") {
            std::string value;
            if (inlineValue) {
                value = *inlineValue;
            } else if (at + 1 < arguments.size()) {
                value = arguments[++at];
            } else {
                return argument + " needs a value";
            }
            return store(argument, value);
        }
        if (argument.starts_with("-")) {
            return "unknown option '" + EscapedText::escape(argument) + "' (see --help)";
        }
        if (commandSeen && line.command == Command::keep) {
            return takeKeepArgument(argument);
        }
        if (commandSeen) {
            return "unexpected argument '" + EscapedText::escape(argument) + "' (see --help)";
        }
        commandSeen = true;
        if (argument == "scan") {
            line.command = Command::scan;
        } else if (argument == "clean") {
            line.command = Command::clean;
        } else if (argument == "keep") {
            line.command = Command::keep;
        } else if (argument == "history") {
            line.command = Command::history;
        } else if (argument == "schedule") {
            line.command = Command::schedule;
        } else {
            return "unknown command '" + EscapedText::escape(argument) +
                   "'; use scan, clean, keep, history or schedule";
        }
        return std::nullopt;
    }

    // The action comes first; entries follow add and remove.
    std::optional<std::string> takeKeepArgument(const std::string& argument) {
        const std::map<std::string, KeepAction> actions{
            {"list", KeepAction::list}, {"add", KeepAction::add}, {"remove", KeepAction::remove}};
        const auto action = actions.find(argument);
        if (!keepActionSeen && action != actions.end()) {
            keepActionSeen = true;
            line.keepAction = action->second;
            return std::nullopt;
        }
        if (line.keepAction == KeepAction::list) {
            return "unexpected argument '" + EscapedText::escape(argument) +
                   "'; use keep list, keep add ENTRY... or keep remove ENTRY...";
        }
        line.entries.push_back(argument);
        return std::nullopt;
    }

    std::optional<std::string> store(const std::string& option, const std::string& value) {
        if (value.empty()) {
            return option + " needs a non-empty value";
        }
        if (option == "--category") {
            line.categoryKeys.push_back(value);
        } else if (option == "--path") {
            const auto bytes = EscapedText::unescape(value);
            if (!bytes) {
                return "--path '" + EscapedText::escape(value) +
                       "' holds a backslash that is neither \\\\ nor \\xHH (see --help)";
            }
            line.paths.push_back(*bytes);
        } else if (option == "--home") {
            line.home = value;
        } else if (option == "--since") {
            return storeSince(value);
        } else if (option == "--every") {
            return storeEvery(value);
        } else if (option == "--older-than") {
            return storeOlderThan(value);
        } else if (option == "--layout") {
            line.layout = Layout::named(value);
            if (!line.layout) {
                return "unknown layout '" + EscapedText::escape(value) +
                       "'; use macos or freedesktop";
            }
        } else {
            line.root = value;
        }
        return std::nullopt;
    }

    // A day is read as its local midnight; a time without an offset as local time.
    std::optional<std::string> storeSince(const std::string& value) {
        const QString text = QString::fromStdString(value);
        const QDate day = QDate::fromString(text, QStringLiteral("yyyy-MM-dd"));
        const QDateTime time = QDateTime::fromString(text, Qt::ISODate);
        if (day.isValid()) {
            line.since = day.startOfDay();
        } else if (time.isValid() && text.contains(QLatin1Char('T'))) {
            line.since = time;
        } else {
            return "--since '" + EscapedText::escape(value) +
                   "' is not a date; give YYYY-MM-DD or an ISO 8601 time such as "
                   "2024-05-01T12:00:00Z";
        }
        return std::nullopt;
    }

    std::optional<std::string> storeEvery(const std::string& value) {
        line.every = Schedule::frequencyNamed(value);
        return line.every ? std::nullopt
                          : std::optional("--every '" + EscapedText::escape(value) +
                                          "' is not a frequency; use daily, weekly or monthly");
    }

    // A whole number of days, written plainly: no sign, no unit, no fraction.
    std::optional<std::string> storeOlderThan(const std::string& value) {
        const bool digits =
            value.size() <= 5 &&
            std::all_of(value.begin(), value.end(), [](char c) { return c >= '0' && c <= '9'; });
        const int days = digits ? std::stoi(value) : 0;
        if (days < 1 || days > AgeLimit::mostDays) {
            return "--older-than '" + EscapedText::escape(value) +
                   "' is not a number of days; give a whole number from 1 to 36500";
        }
        line.olderThanDays = days;
        return std::nullopt;
    }

    std::optional<std::string> checkSchedule() const {
        const bool scheduling = line.command == Command::schedule;
        if (!scheduling && (line.every || line.showSchedule || line.scheduleOff)) {
            return "--every, --show and --off belong to schedule";
        }
        if (line.olderThanDays && line.command != Command::scan && line.command != Command::clean &&
            !scheduling) {
            return "--older-than belongs to scan, clean and schedule";
        }
        if (line.command != Command::clean && (line.skipRunning || line.skipUnknown)) {
            return "--skip-running and --skip-unknown belong to clean";
        }
        if (line.skipRunning && !line.paths.empty()) {
            return "--skip-running leaves out whole categories; select them with --category";
        }
        if (!scheduling) {
            return std::nullopt;
        }
        if (int(line.every.has_value()) + int(line.showSchedule) + int(line.scheduleOff) != 1) {
            return "schedule needs one of --every FREQUENCY, --show and --off";
        }
        if (line.yes || line.items || line.json || !line.paths.empty()) {
            return "schedule takes only --every, --category, --older-than, --show, --off, "
                   "--home, --root and --layout";
        }
        if (line.every && line.categoryKeys.empty()) {
            return "schedule --every needs at least one --category KEY";
        }
        if (!line.every && (!line.categoryKeys.empty() || line.olderThanDays)) {
            return "--category and --older-than belong to schedule --every";
        }
        return std::nullopt;
    }

    std::variant<CommandLine, std::string> check() const {
        if (auto problem = checkSchedule()) {
            return *problem;
        }
        if (line.since && line.command != Command::history) {
            return std::string("--since belongs to history");
        }
        if (line.command == Command::history &&
            (line.yes || line.items || !line.paths.empty() || !line.categoryKeys.empty())) {
            return std::string("history takes only --json, --since and --home");
        }
        if (line.command == Command::keep) {
            if (line.yes || line.items || !line.paths.empty() || !line.categoryKeys.empty()) {
                return std::string("keep takes only --json, --home, --root and --layout");
            }
            if (line.keepAction != KeepAction::list && line.entries.empty()) {
                return std::string("keep add and keep remove need at least one ENTRY");
            }
            if (line.keepAction != KeepAction::list && line.json) {
                return std::string("--json belongs to keep list");
            }
        }
        if (line.command == Command::scan) {
            if (line.yes) {
                return std::string("--yes belongs to clean, not to scan");
            }
            if (!line.paths.empty()) {
                return std::string("--path belongs to clean, not to scan");
            }
        }
        if (line.command == Command::clean) {
            if (line.items) {
                return std::string("--items belongs to scan; clean always lists its selection");
            }
            if (line.categoryKeys.empty() && line.paths.empty()) {
                return std::string("nothing selected: clean needs --category KEY or --path PATH");
            }
        }
        return line;
    }
};

} // namespace

std::variant<CommandLine, std::string>
CommandLine::parse(const std::vector<std::string>& arguments) {
    Parser parser{arguments, 0, CommandLine{}, false, false};
    return parser.run();
}

} // namespace sorvane::cli
