#include "RemovalOutcome.h"

#include <cstring>

namespace sorvane {

std::string RemovalOutcome::reason() const {
    if (error == 0) {
        return keptBy.empty() ? std::string() : entry + ": kept by " + keptBy;
    }
    return entry + ": " + std::strerror(error); // NOLINT(concurrency-mt-unsafe)
}

} // namespace sorvane
