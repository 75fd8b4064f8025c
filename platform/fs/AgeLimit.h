#pragma once

#include <chrono>
#include <optional>

struct stat;

namespace sorvane {

// How old something must be to count as junk: last used (read or written, whichever is later)
// before a cutoff. Without a cutoff everything counts, whatever its age. A limit either looks
// at each file on its own, so that only the old ones are measured and removed, or at a whole
// unit, which counts only when all of it is old and then goes whole.
class AgeLimit {
public:
    using Clock = std::chrono::system_clock;
    // The longest limit a user may ask for: a century, far from the clock's range.
    static constexpr int mostDays = 36500;

    // Any age: everything counts.
    AgeLimit() = default;
    explicit AgeLimit(Clock::time_point cutoff)
        : cutoff_(cutoff) {}
    // Used neither for the given number of days before now.
    static AgeLimit days(int days, Clock::time_point now = Clock::now());

    bool any() const { return !cutoff_; }
    const std::optional<Clock::time_point>& cutoff() const { return cutoff_; }
    bool whole() const { return whole_; }
    // The same cutoff, judging a location as one unit.
    AgeLimit asWhole() const;

    bool isOld(Clock::time_point lastUsed) const { return !cutoff_ || lastUsed < *cutoff_; }
    // By the later of the entry's access and modification times; on a file system that does
    // not record reading, that is its modification time.
    bool isOld(const struct stat& info) const;
    // By the modification time alone, for a folder: listing it, as every search does, moves its
    // access time.
    bool isUnwritten(const struct stat& info) const;

    friend bool operator==(const AgeLimit&, const AgeLimit&) = default;

private:
    std::optional<Clock::time_point> cutoff_;
    bool whole_ = false;
};

} // namespace sorvane
