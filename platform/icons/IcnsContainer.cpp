#include "IcnsContainer.h"

#include "BigEndian.h"

#include <algorithm>

namespace sorvane {

std::vector<IcnsContainer::PngEntry> IcnsContainer::pngEntries(std::string_view bytes) {
    constexpr std::size_t headerLength = 8;
    std::vector<PngEntry> entries;
    if (!bytes.starts_with(magic)) {
        return entries;
    }
    // The total length in the header is not trusted: the entries themselves say where they end.
    std::size_t at = headerLength;
    while (at <= bytes.size() && bytes.size() - at >= headerLength) {
        const std::uint32_t length = BigEndian::word(bytes, at + 4);
        if (length < headerLength || length > bytes.size() - at) {
            break;
        }
        const std::string_view data = bytes.substr(at + headerLength, length - headerLength);
        if (const auto dimensions = PngHead::read(data)) {
            entries.push_back({at + headerLength, data.size(), *dimensions});
        }
        at += length;
    }
    std::stable_sort(entries.begin(), entries.end(), [](const PngEntry& a, const PngEntry& b) {
        return a.dimensions.width > b.dimensions.width;
    });
    return entries;
}

} // namespace sorvane
