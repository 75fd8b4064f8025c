#pragma once

#include "platform/journal/JournalLock.h"

#include <QDateTime>

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace sorvane {

// One line of the journal: what became of one location a cleaning removed or tried to.
struct JournalLine {
    // ISO 8601, UTC, in seconds.
    std::string time;
    // The cleaning the line belongs to: its start time and the process's id.
    std::string cleaning;
    std::string layout;
    std::string category;
    // Escaped as reports write paths (EscapedText), so that any bytes survive.
    std::string location;
    // What the removal of the location freed on disk.
    std::uint64_t bytes = 0;
    bool removed = false;
    // The stable word of why the location stays; empty when it went.
    std::string reason;
    std::string message;
};

// The journal of cleanings: one JSON line per location, appended as each location is done, in
// $XDG_STATE_HOME/sorvane/journal.jsonl (~/.local/state/sorvane/ when that is not an absolute
// path). Each line is written with one write() to a file opened for appending, so a process
// killed in the middle of a cleaning leaves whole lines behind. Once the file has grown past
// capBytes, the start of the next cleaning rewrites it with the newest whole cleanings that fit
// in trimmedBytes, through a new file that takes its place; lines are appended under a shared
// JournalLock and the rewrite holds it exclusively, so no line goes to the file being replaced.
class CleaningJournal {
public:
    static constexpr std::uint64_t capBytes = 2U << 20U;
    static constexpr std::uint64_t trimmedBytes = 1U << 20U;

    // Starts the journal of one cleaning: trims the file when it is past the cap.
    explicit CleaningJournal(std::string layout);

    // Appends the line of one location; false (logged once) when it could not be written.
    bool record(const std::string& category, const std::string& location, std::uint64_t bytes,
                bool removed, const std::string& reason, const std::string& message);
    const std::string& cleaning() const { return cleaning_; }

    // The folder that holds the journal.
    static std::string folder();
    // Keeps the journal in the given folder instead; an empty path restores the default.
    static void useFolder(std::string folder);
    static std::string path();
    // Holds the journal exclusively, making its folder when missing: every cleaning waits at
    // its next line until the hold goes.
    static JournalLock hold();

    // The lines written at or after since (all of them when since is not valid), oldest first;
    // lines that cannot be read as one are passed by.
    static std::vector<JournalLine> read(const QDateTime& since = {});
    // The JSON object of a line, as the journal stores it, without the line end.
    static std::string encode(const JournalLine& line);
    static std::optional<JournalLine> decode(const std::string& text);

private:
    // Rewrites the file to the newest whole cleanings within trimmedBytes when it is past the
    // cap.
    static void trim();

    std::string layout_;
    std::string cleaning_;
    bool complained_ = false;
};

} // namespace sorvane
