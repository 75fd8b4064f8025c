#include "KeptHoldings.h"

#include "platform/fs/Path.h"

namespace sorvane {

std::vector<KeptLocation> KeptHoldings::of(const KeepRule& rule) {
    const KeepList alone({rule});
    return Path::keptWithin(Url(rule.entry.base()), alone);
}

} // namespace sorvane
