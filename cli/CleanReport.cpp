#include "CleanReport.h"

#include "JsonWriter.h"
#include "engine/EngineStrings.h"
#include "platform/fs/MountTable.h"
#include "platform/fs/Path.h"
#include "platform/text/DisplayWidth.h"
#include "platform/text/EscapedText.h"
#include "platform/text/IO.h"

#include <algorithm>
#include <sys/sysmacros.h>

namespace sorvane::cli {

namespace {

void writePaths(JsonWriter& json, const std::vector<std::string>& paths) {
    json.beginArray();
    for (const auto& path : paths) {
        json.string(EscapedText::escape(path));
    }
    json.endArray();
}

// The reason in words for a reader: the stable word without its hyphens.
std::string inWords(RemovalReason reason) {
    std::string words(wordOf(reason));
    std::replace(words.begin(), words.end(), '-', ' ');
    return words;
}

// A file system as "major:minor", the form /proc/self/mountinfo and lsblk use.
std::string deviceName(std::uint64_t device) {
    return std::to_string(major(device)) + ":" + std::to_string(minor(device));
}

// A file system as the user knows it: where it is mounted, with its number beside it.
std::string fileSystemName(std::uint64_t device) {
    const auto point = MountTable::mountPointOf(device);
    return point ? EscapedText::escape(*point) + " (" + deviceName(device) + ")"
                 : deviceName(device);
}

} // namespace

CleanReport::CleanReport(std::string layout, std::string home, std::vector<SelectedItem> selection)
    : layout_(std::move(layout))
    , home_(std::move(home))
    , selection_(std::move(selection)) {}

std::uint64_t CleanReport::selectedSize() const {
    std::uint64_t total = 0;
    for (const auto& selected : selection_) {
        total += selected.item.size;
    }
    return total;
}

void CleanReport::recordOutcome(const KeepList& keep, const CleaningSummary& summary) {
    cleaned_ = true;
    freed_ = summary.freed;
    stopped_ = summary.stopped;
    deleted_.clear();
    remaining_.clear();
    kept_.clear();
    trimmed_.clear();
    for (const auto& selected : selection_) {
        for (const auto& location : selected.item.locations()) {
            // Only the system's word that nothing is there counts as deleted: a location that
            // cannot even be looked at is reported as remaining.
            if (Path::isGone(Url(location))) {
                deleted_.push_back(location);
            } else if (std::find(summary.trimmed.begin(), summary.trimmed.end(), location) !=
                       summary.trimmed.end()) {
                trimmed_.push_back(location);
            } else if (Path::holdsOnlyKept(Url(location), keep)) {
                kept_.push_back(location);
            } else {
                // The cleaning said why; a location it did not name stays for a reason it
                // could not see (something put back meanwhile).
                const auto said = std::find_if(
                    summary.remaining.begin(), summary.remaining.end(),
                    [&](const RemainingLocation& remaining) { return remaining.path == location; });
                remaining_.push_back(said != summary.remaining.end()
                                         ? *said
                                         : RemainingLocation{selected.categoryKey, location,
                                                             RemovalReason::failed,
                                                             location + ": still there"});
            }
        }
    }
}

void CleanReport::writeText(std::FILE* out) const {
    // Counts and sizes in the language the names are in; columns by what a terminal shows.
    const QLocale locale = EngineStrings::locale();
    const auto size = [&](std::uint64_t bytes) { return IO::formattedSize(bytes, locale); };
    const auto count = [](const char* key, std::size_t n) {
        return EngineStrings::text(key, static_cast<std::int64_t>(n)).toStdString();
    };
    std::fprintf(out, "Layout: %s\n", layout_.c_str());
    std::fprintf(out, "Home: %s\n", EscapedText::escape(home_).c_str());
    if (olderThanDays_ > 0) {
        std::fprintf(out, "Only what went unused for %d days\n", olderThanDays_);
    }
    for (const auto& skipped : skipped_) {
        const bool running = skipped.reason == "running";
        std::fprintf(out, "Left out: %s%s: %s\n", EscapedText::escape(skipped.key).c_str(),
                     skipped.name.empty() ? "" : (" (" + skipped.name + ")").c_str(),
                     running ? "its program is running" : "no category has this key");
    }
    if (selection_.empty()) {
        std::fprintf(out, "Nothing to clean.\n");
        return;
    }
    std::fprintf(out, "%s\n",
                 cleaned_ ? "Selected for deletion:"
                          : "Would delete (nothing is deleted without --yes):");
    for (const auto& selected : selection_) {
        std::fprintf(out, "  %s %s %s\n", DisplayWidth::padRight(selected.categoryKey, 26).c_str(),
                     DisplayWidth::padRight(EscapedText::escape(selected.item.name), 50).c_str(),
                     DisplayWidth::padLeft(size(selected.item.size), 12).c_str());
        for (const auto& location : selected.item.locations()) {
            std::fprintf(out, "      %s\n", EscapedText::escape(location).c_str());
        }
    }
    std::fprintf(out, "Selected: %s, %s\n", count("ITEM_COUNT", selection_.size()).c_str(),
                 size(selectedSize()).c_str());
    if (!cleaned_) {
        return;
    }
    std::fprintf(out, "Freed on disk: %s%s\n", size(freed_.total()).c_str(),
                 stopped_ ? " (stopped before the end)" : "");
    if (freed_.byDevice().size() > 1) {
        for (const auto& [device, bytes] : freed_.byDevice()) {
            std::fprintf(out, "  on file system %s: %s\n", fileSystemName(device).c_str(),
                         size(bytes).c_str());
        }
    }
    std::fprintf(out, "Deleted: %s\n", count("LOCATION_COUNT", deleted_.size()).c_str());
    for (const auto& location : deleted_) {
        std::fprintf(out, "  %s\n", EscapedText::escape(location).c_str());
    }
    if (!trimmed_.empty()) {
        std::fprintf(out, "Old part deleted, the rest left: %s\n",
                     count("LOCATION_COUNT", trimmed_.size()).c_str());
        for (const auto& location : trimmed_) {
            std::fprintf(out, "  %s\n", EscapedText::escape(location).c_str());
        }
    }
    if (!kept_.empty()) {
        std::fprintf(out, "Kept below: %s (see sorvane-cli keep)\n",
                     count("LOCATION_COUNT", kept_.size()).c_str());
        for (const auto& location : kept_) {
            std::fprintf(out, "  %s\n", EscapedText::escape(location).c_str());
        }
    }
    std::fprintf(out, "Remaining: %s\n", count("LOCATION_COUNT", remaining_.size()).c_str());
    for (const auto& location : remaining_) {
        std::fprintf(out, "  %s (%s: %s)\n", EscapedText::escape(location.path).c_str(),
                     inWords(location.reason).c_str(),
                     EscapedText::escape(location.message).c_str());
    }
}

void CleanReport::writeJson(std::FILE* out) const {
    JsonWriter json(out);
    json.beginObject();
    json.key("layout");
    json.string(layout_);
    json.key("home");
    json.string(EscapedText::escape(home_));
    // 0: any age.
    json.key("olderThanDays");
    json.number(static_cast<std::uint64_t>(olderThanDays_));
    json.key("cleaned");
    json.boolean(cleaned_);
    json.key("selected");
    json.beginArray();
    for (const auto& selected : selection_) {
        json.beginObject();
        json.key("key");
        json.string(selected.categoryKey);
        json.key("name");
        json.string(selected.item.name);
        json.key("url");
        if (selected.item.url) {
            json.string(EscapedText::escape(*selected.item.url));
        } else {
            json.null();
        }
        json.key("suburls");
        writePaths(json, selected.item.suburls);
        json.key("size");
        json.number(selected.item.size);
        json.endObject();
    }
    json.endArray();
    json.key("selectedSize");
    json.number(selectedSize());
    json.key("skipped");
    json.beginArray();
    for (const auto& skipped : skipped_) {
        json.beginObject();
        json.key("key");
        json.string(EscapedText::escape(skipped.key));
        json.key("name");
        if (skipped.name.empty()) {
            json.null();
        } else {
            json.string(skipped.name);
        }
        json.key("reason");
        json.string(skipped.reason);
        json.endObject();
    }
    json.endArray();
    if (cleaned_) {
        json.key("deleted");
        writePaths(json, deleted_);
        json.key("trimmed");
        writePaths(json, trimmed_);
        json.key("stopped");
        json.boolean(stopped_);
        json.key("freed");
        json.number(freed_.total());
        if (freed_.byDevice().size() > 1) {
            json.key("freedByDevice");
            json.beginObject();
            for (const auto& [device, bytes] : freed_.byDevice()) {
                json.key(deviceName(device));
                json.number(bytes);
            }
            json.endObject();
        }
        // Paths alone, as before; remainingReasons says why each stays, in the same order.
        json.key("remaining");
        json.beginArray();
        for (const auto& location : remaining_) {
            json.string(EscapedText::escape(location.path));
        }
        json.endArray();
        json.key("remainingReasons");
        json.beginArray();
        for (const auto& location : remaining_) {
            json.beginObject();
            json.key("location");
            json.string(EscapedText::escape(location.path));
            json.key("key");
            json.string(location.categoryKey);
            json.key("reason");
            json.string(wordOf(location.reason));
            json.key("message");
            json.string(EscapedText::escape(location.message));
            json.endObject();
        }
        json.endArray();
        json.key("keptBelow");
        writePaths(json, kept_);
    }
    json.endObject();
    json.finish();
}

} // namespace sorvane::cli
