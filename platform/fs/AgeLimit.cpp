#include "AgeLimit.h"

#include <algorithm>
#include <sys/stat.h>

namespace sorvane {

namespace {

AgeLimit::Clock::time_point timeOf(const timespec& time) {
    return AgeLimit::Clock::time_point(std::chrono::duration_cast<AgeLimit::Clock::duration>(
        std::chrono::seconds(time.tv_sec) + std::chrono::nanoseconds(time.tv_nsec)));
}

} // namespace

AgeLimit AgeLimit::days(int days, Clock::time_point now) {
    return AgeLimit(now - std::chrono::days(days));
}

AgeLimit AgeLimit::asWhole() const {
    AgeLimit limit = *this;
    limit.whole_ = true;
    return limit;
}

bool AgeLimit::isOld(const struct stat& info) const {
    return isOld(std::max(timeOf(info.st_atim), timeOf(info.st_mtim)));
}

bool AgeLimit::isUnwritten(const struct stat& info) const {
    return isOld(timeOf(info.st_mtim));
}

} // namespace sorvane
