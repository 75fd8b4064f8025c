#pragma once

#include "Url.h"

#include <cstdint>

namespace sorvane {

// What a location holds in itself, a link being a link and never what it leads to.
enum class ItemType {
    folder,
    link,
    regularFile,
    other, // a pipe, a socket or a device
};

struct ItemStatus {
    ItemType type = ItemType::other;
    std::uint32_t owner = 0; // the user id that owns the item

    friend bool operator==(const ItemStatus&, const ItemStatus&) = default;
};

// One entry of a folder as it lies there; the url carries the folder mark for folders only.
struct FolderEntry {
    Url url;
    ItemType type = ItemType::other;
};

} // namespace sorvane
