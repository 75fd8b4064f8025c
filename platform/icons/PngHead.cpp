#include "PngHead.h"

#include "BigEndian.h"

namespace sorvane {

std::optional<PngHead::Dimensions> PngHead::read(std::string_view bytes) {
    if (bytes.size() < length || !bytes.starts_with(signature)) {
        return std::nullopt;
    }
    const std::string_view chunk = bytes.substr(signature.size());
    if (BigEndian::word(chunk, 0) != 13 || chunk.substr(4, 4) != "IHDR") {
        return std::nullopt;
    }
    const Dimensions dimensions{BigEndian::word(chunk, 8), BigEndian::word(chunk, 12)};
    constexpr std::uint32_t largestSide = 0x7fffffff;
    if (dimensions.width == 0 || dimensions.height == 0 || dimensions.width > largestSide ||
        dimensions.height > largestSide) {
        return std::nullopt;
    }
    return dimensions;
}

} // namespace sorvane
