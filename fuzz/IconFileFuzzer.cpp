// Feeds arbitrary bytes to the reading of application icon files: the entry table of an .icns
// container and the head of a PNG stream, which decide what is cut out of the file and decoded.

#include "platform/icons/IcnsContainer.h"
#include "platform/icons/PngHead.h"

#include <cstdint>
#include <cstdlib>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using sorvane::IcnsContainer;
    using sorvane::PngHead;
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);

    if (const auto head = PngHead::read(bytes)) {
        if (size < PngHead::length || !bytes.starts_with(PngHead::signature) || head->width == 0 ||
            head->height == 0 || head->width > 0x7fffffffU || head->height > 0x7fffffffU) {
            std::abort();
        }
    }

    // Each entry lies inside the container after the container's and its own 8-byte header and
    // is the PNG stream it claims; the widest come first, in file order among equals.
    auto entries = IcnsContainer::pngEntries(bytes);
    if (!entries.empty() && !bytes.starts_with(IcnsContainer::magic)) {
        std::abort();
    }
    for (std::size_t i = 0; i < entries.size(); ++i) {
        const auto& entry = entries[i];
        if (entry.offset < 16 || entry.offset > size || entry.length > size - entry.offset ||
            PngHead::read(bytes.substr(entry.offset, entry.length)) != entry.dimensions) {
            std::abort();
        }
        if (i > 0) {
            const auto& before = entries[i - 1];
            if (before.dimensions.width < entry.dimensions.width ||
                (before.dimensions.width == entry.dimensions.width &&
                 before.offset >= entry.offset)) {
                std::abort();
            }
        }
    }
    return 0;
}
