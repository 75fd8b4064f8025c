#include "SizeMemo.h"

#include <atomic>
#include <mutex>
#include <unordered_map>

namespace sorvane {

namespace {

struct Memo {
    std::mutex mutex;
    std::size_t sessions = 0; // guarded by mutex
    std::atomic<bool> active = false;
    std::unordered_map<std::uint64_t, std::unordered_map<std::uint64_t, std::uint64_t>> sizes;
};

Memo& memo() {
    static Memo instance;
    return instance;
}

} // namespace

SizeMemo::SizeMemo() {
    Memo& shared = memo();
    const std::lock_guard lock(shared.mutex);
    if (shared.sessions++ == 0) {
        shared.active.store(true);
    }
}

SizeMemo::~SizeMemo() {
    Memo& shared = memo();
    const std::lock_guard lock(shared.mutex);
    if (--shared.sessions == 0) {
        shared.active.store(false);
        shared.sizes.clear();
    }
}

std::optional<std::uint64_t> SizeMemo::lookup(dev_t device, ino_t inode) {
    Memo& shared = memo();
    if (!shared.active.load(std::memory_order_relaxed)) {
        return std::nullopt;
    }
    const std::lock_guard lock(shared.mutex);
    const auto onDevice = shared.sizes.find(device);
    if (onDevice == shared.sizes.end()) {
        return std::nullopt;
    }
    const auto found = onDevice->second.find(inode);
    if (found == onDevice->second.end()) {
        return std::nullopt;
    }
    return found->second;
}

void SizeMemo::record(dev_t device, ino_t inode, std::uint64_t size) {
    Memo& shared = memo();
    if (!shared.active.load(std::memory_order_relaxed)) {
        return;
    }
    const std::lock_guard lock(shared.mutex);
    if (shared.sessions > 0) {
        shared.sizes[device][inode] = size;
    }
}

} // namespace sorvane
