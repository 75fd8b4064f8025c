#pragma once

#include "platform/fs/Url.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace sorvane {

// The extensions that an editor of the Visual Studio Code family has replaced and marked for
// removal in the .obsolete file of its extensions folder: a JSON object whose keys name
// extension folders and whose value true marks one as obsolete.
class ObsoleteExtensions {
public:
    ObsoleteExtensions() = delete;

    // The keys whose value is true, in the order the file has them; nothing when the text is not
    // a well-formed UTF-8 JSON object or names a key twice.
    static std::optional<std::vector<std::string>> parse(std::string_view text);
    // The obsolete extensions' folders in an extensions folder: keys that are one path component
    // and name a folder there (not a link).
    static std::vector<Url> in(const Url& extensionsFolder);

    // The largest .obsolete file read; real ones hold a few hundred bytes.
    static constexpr std::uint64_t sizeCap = 1024 * 1024;
};

} // namespace sorvane
