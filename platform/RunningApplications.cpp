#include "RunningApplications.h"

#include "BundleInfo.h"
#include "DirectoryEntries.h"

#include <array>
#include <fcntl.h>
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

} // namespace

std::optional<std::string> RunningApplications::bundleOfExecutable(const std::string& executable) {
    constexpr std::string_view marker = ".app/Contents/MacOS/";
    const auto found = executable.rfind(marker);
    if (found == std::string::npos ||
        executable.find('/', found + marker.size()) != std::string::npos) {
        return std::nullopt;
    }
    return executable.substr(0, found + 4);
}

std::optional<QString> RunningApplications::identifierOf(const std::string& executable) {
    const auto bundle = bundleOfExecutable(executable);
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
    const int proc = open("/proc", O_RDONLY | O_DIRECTORY | O_CLOEXEC);
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
    std::unordered_set<std::string> running;
    for (const auto& pid : pids) {
        if (const auto executable = executableOf(proc, pid)) {
            if (auto identifier = identifierOf(*executable)) {
                present->insert(*identifier);
            }
            running.insert(*executable);
        }
    }
    close(proc);
    std::erase_if(identifiers_, [&](const auto& entry) { return !running.contains(entry.first); });
    return present;
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

RunningApplications::~RunningApplications() {
    {
        const std::lock_guard lock(mutex_);
        stopping_ = true;
    }
    wake_.notify_one();
    if (reader_.joinable()) {
        reader_.join();
    }
}

} // namespace sorvane
