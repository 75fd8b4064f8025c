#pragma once

#include <memory>
#include <string>

namespace sorvane {

// Where an icon's pixels come from. The core never decodes pixels; the window turns an Icon
// into an image, which keeps GUI objects off the worker thread and lets icons compare by value.
struct Icon {
    enum class Kind {
        imageFile, // an .icns, .png or .svg file on disk
        fileIcon,  // the file viewer's icon for whatever lies at a path
        symbol,    // a symbol image drawn for this project, by name
        stock,     // a stock image of the platform, by name
    };

    Kind kind = Kind::fileIcon;
    std::string value; // the path or the name

    friend bool operator==(const Icon&, const Icon&) = default;
};

using Image = std::shared_ptr<const Icon>;

inline Image makeImage(Icon::Kind kind, std::string value) {
    return std::make_shared<const Icon>(Icon{kind, std::move(value)});
}

// Two optional images are the same when both are absent or both describe the same source.
inline bool sameImage(const Image& a, const Image& b) {
    if (!a || !b) {
        return !a && !b;
    }
    return *a == *b;
}

} // namespace sorvane
