#pragma once

#include "platform/fs/RegularFile.h"

#include <QSet>
#include <QString>

#include <condition_variable>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <unordered_map>
#include <vector>

namespace sorvane {

// The identifiers of the running programs. In the macOS layout a process whose executable lies
// inside <X>.app/Contents/MacOS/ has the identifier of that bundle; others have none. In the
// freedesktop layout a process of the same user has the identifier of every desktop application
// whose executable patterns its executable matches, or in whose Flatpak sandbox it runs.
//
// Reading /proc costs a few microseconds per process, too much for a timer on the main thread
// that fires every second, so the reading happens on a thread of its own: latest() hands out
// the newest finished reading at once and asks for the next one.
class RunningApplications {
public:
    using Identifiers = std::shared_ptr<const QSet<QString>>;

    RunningApplications() = default;
    ~RunningApplications();
    RunningApplications(const RunningApplications&) = delete;
    RunningApplications& operator=(const RunningApplications&) = delete;

    // The newest reading, at most one request old, and a request for a fresh one. The very
    // first call reads on the calling thread.
    Identifiers latest();
    // Reads now, on the calling thread.
    Identifiers readNow();
    // Ends the background reading and waits for it; the next latest() reads afresh.
    void stop();

    // The folder read as /proc, for tests that lay out processes of their own; empty means
    // /proc itself.
    static void setProcRoot(const std::string& folder);

private:
    // What an executable's bundle said, and which version of its information file said it.
    struct Known {
        std::optional<RegularFile::Identity> information;
        std::optional<QString> identifier;
    };

    void readInBackground();
    std::optional<QString> identifierOf(const std::string& executable);
    void addBundleIdentifiers(int proc, const std::vector<std::string>& pids,
                              QSet<QString>& present);
    static void addDesktopIdentifiers(int proc, const std::vector<std::string>& pids,
                                      QSet<QString>& present);

    std::mutex readingMutex_; // one reading at a time; guards identifiers_
    // What each running executable's bundle says, remembered so that a reading reads no bundle
    // twice and an unchanged information file is not read again. Only executables seen in the
    // latest reading are kept.
    std::unordered_map<std::string, Known> identifiers_;

    std::mutex mutex_; // guards what follows
    std::condition_variable wake_;
    Identifiers latest_;
    bool requested_ = false;
    bool stopping_ = false;
    std::thread reader_;
};

} // namespace sorvane
