#include "Path.h"

#include <algorithm>

namespace sorvane {

std::vector<KeptLocation> Path::keptWithin(const Url& url, const KeepList& keep) {
    // The list is asked first: most locations are neither kept nor on the way to a kept one,
    // and need not be looked at on disk.
    if (const KeepRule* rule = keep.keeperOf(url.path())) {
        if (!exists(url)) {
            return {};
        }
        return {{url.path(), rule->entry.text(), size(url)}};
    }
    std::vector<KeptLocation> kept;
    if (!keep.guardsBelow(url.path()) || !isDirectory(url.path())) {
        return kept;
    }
    // Only the folders on the way to a kept location are listed: most trees are not entered.
    walk(url, [&](const FolderEntry& entry) {
        const std::string& path = entry.url.path();
        if (const KeepRule* rule = keep.keeperOf(path)) {
            kept.push_back({path, rule->entry.text(), size(entry.url)});
            return WalkStep::skip;
        }
        const bool onTheWay = entry.type == ItemType::folder && keep.guardsBelow(path);
        return onTheWay ? WalkStep::enter : WalkStep::skip;
    });
    return kept;
}

bool Path::holdsOnlyKept(const Url& url, const KeepList& keep) {
    if (keep.keeperOf(url.path()) != nullptr) {
        return true;
    }
    if (!keep.guardsBelow(url.path()) || !isDirectory(url.path())) {
        return false;
    }
    bool onlyKept = true;
    walk(url, [&](const FolderEntry& entry) {
        const std::string& path = entry.url.path();
        if (keep.keeperOf(path) != nullptr) {
            return WalkStep::skip;
        }
        if (entry.type == ItemType::folder && keep.guardsBelow(path)) {
            return WalkStep::enter;
        }
        onlyKept = false;
        return WalkStep::stop;
    });
    return onlyKept;
}

MeasuredSize Path::size(const Url& url, const KeepList& keep) {
    if (keep.keeperOf(url.path()) != nullptr) {
        return {};
    }
    MeasuredSize total = size(url);
    for (const auto& part : keptWithin(url, keep)) {
        total.bytes -= std::min(total.bytes, part.size.bytes);
        total.complete = total.complete && part.size.complete;
    }
    return total;
}

} // namespace sorvane
