#include "RunningApplications.h"

#include "DesktopApplications.h"
#include "platform/bundles/Apps.h"
#include "platform/bundles/BundleInfo.h"
#include "platform/fs/DirectoryEntries.h"
#include "platform/places/Layout.h"

#include <array>
#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <unordered_set>

namespace sorvane {

namespace {

bool isProcessId(std::string_view name) {
    return !name.empty() && name.find_first_not_of("0123456789") == std::string_view::npos;
}

std::optional<std::string> executableOf(int proc, std::string_view pid) {
    std::string link(pid);
    link += "/exe";
    std::array<char, 4096> target{};
    const ssize_t length = readlinkat(proc, link.c_str(), target.data(), target.size());
    if (length <= 0 || static_cast<std::size_t>(length) >= target.size()) {
        return std::nullopt;
    }
    std::string executable(target.data(), static_cast<std::size_t>(length));
    // A program whose file was replaced since it started still belongs to its bundle.
    constexpr std::string_view deleted = " (deleted)";
    if (executable.ends_with(deleted)) {
        executable.resize(executable.size() - deleted.size());
    }
    return executable;
}

// What /proc/<pid>/cgroup says; empty when it cannot be read. Files in /proc report no size, so
// the text is read until its end, up to a bound no real control-group list comes near.
std::string controlGroupsOf(int proc, std::string_view pid) {
    std::string file(pid);
    file += "/cgroup";
    const int descriptor = openat(proc, file.c_str(), O_RDONLY | O_NOFOLLOW | O_CLOEXEC);
    if (descriptor < 0) {
        return {};
    }
    constexpr std::size_t bound = 65536;
    std::string text(bound, '\0');
    std::size_t filled = 0;
    while (filled < bound) {
        const ssize_t got = read(descriptor, text.data() + filled, bound - filled);
        if (got < 0 && errno == EINTR) {
            continue;
        }
        if (got <= 0) {
            break;
        }
        filled += static_cast<std::size_t>(got);
    }
    close(descriptor);
    text.resize(filled);
    return text;
}

bool ownedByUs(int proc, const std::string& pid) {
    struct stat info {};
    return fstatat(proc, pid.c_str(), &info, AT_SYMLINK_NOFOLLOW) == 0 && info.st_uid == getuid();
}

struct ProcRoot {
    std::mutex mutex;
    std::string folder;
};

ProcRoot& procRoot() {
    static ProcRoot instance;
    return instance;
}

int openProc() {
    std::string folder;
    {
        const std::lock_guard lock(procRoot().mutex);
        folder = procRoot().folder;
    }
    return open(folder.empty() ? "/proc" : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
}

} // namespace

void RunningApplications::setProcRoot(const std::string& folder) {
    const std::lock_guard lock(procRoot().mutex);
    procRoot().folder = folder;
}

std::optional<QString> RunningApplications::identifierOf(const std::string& executable) {
    const auto bundle = Apps::bundleOfExecutable(executable);
    if (!bundle) {
        return std::nullopt;
    }
    // An information file may appear or change while the program runs; its identity is checked
    // before it is read, so a change in between only means one more reading next time.
    const std::string infoFile = *bundle + "/Contents/Info.plist";
    const auto information = RegularFile::identity(infoFile);
    const auto known = identifiers_.find(executable);
    if (known != identifiers_.end() && known->second.information == information) {
        return known->second.identifier;
    }
    std::optional<QString> identifier;
    if (information) {
        if (const auto info = BundleInfo::read(infoFile)) {
            identifier = info->text("CFBundleIdentifier");
        }
    }
    identifiers_.insert_or_assign(executable, Known{information, identifier});
    return identifier;
}

RunningApplications::Identifiers RunningApplications::readNow() {
    const std::lock_guard reading(readingMutex_);
    auto present = std::make_shared<QSet<QString>>();
    const int proc = openProc();
    if (proc < 0) {
        return present;
    }
    std::vector<std::string> pids;
    forEachEntry(proc, [&](std::string_view name, unsigned char) {
        if (isProcessId(name)) {
            pids.emplace_back(name);
        }
        return true;
    });
    if (Layout::current() == LayoutKind::freedesktop) {
        addDesktopIdentifiers(proc, pids, *present);
    } else {
        addBundleIdentifiers(proc, pids, *present);
    }
    close(proc);
    return present;
}

void RunningApplications::addBundleIdentifiers(int proc, const std::vector<std::string>& pids,
                                               QSet<QString>& present) {
    std::unordered_set<std::string> running;
    for (const auto& pid : pids) {
        if (const auto executable = executableOf(proc, pid)) {
            if (auto identifier = identifierOf(*executable)) {
                present.insert(*identifier);
            }
            running.insert(*executable);
        }
    }
    std::erase_if(identifiers_, [&](const auto& entry) { return !running.contains(entry.first); });
}

void RunningApplications::addDesktopIdentifiers(int proc, const std::vector<std::string>& pids,
                                                QSet<QString>& present) {
    for (const auto& pid : pids) {
        // Another user's program is not one the user could quit before cleaning.
        if (!ownedByUs(proc, pid)) {
            continue;
        }
        const auto executable = executableOf(proc, pid);
        const std::string controlGroups = controlGroupsOf(proc, pid);
        for (const DesktopApplication& application : desktopApplications()) {
            if ((executable && matchesExecutable(application, *executable)) ||
                runsInFlatpakOf(application, controlGroups)) {
                present.insert(application.identifier);
            }
        }
    }
}

RunningApplications::Identifiers RunningApplications::latest() {
    {
        const std::lock_guard lock(mutex_);
        if (latest_) {
            requested_ = true;
            wake_.notify_one();
            return latest_;
        }
    }
    Identifiers first = readNow();
    const std::lock_guard lock(mutex_);
    latest_ = first;
    if (!reader_.joinable()) {
        reader_ = std::thread([this] { readInBackground(); });
    }
    return first;
}

void RunningApplications::readInBackground() {
    std::unique_lock lock(mutex_);
    for (;;) {
        wake_.wait(lock, [this] { return requested_ || stopping_; });
        if (stopping_) {
            return;
        }
        requested_ = false;
        lock.unlock();
        Identifiers reading = readNow();
        lock.lock();
        latest_ = std::move(reading);
    }
}

void RunningApplications::stop() {
    {
        const std::lock_guard lock(mutex_);
        stopping_ = true;
    }
    wake_.notify_one();
    if (reader_.joinable()) {
        reader_.join();
    }
    const std::lock_guard lock(mutex_);
    stopping_ = false;
    requested_ = false;
    latest_.reset();
}

RunningApplications::~RunningApplications() {
    stop();
}

} // namespace sorvane
