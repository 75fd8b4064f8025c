#pragma once

#include "platform/fs/Url.h"

#include <optional>
#include <string>
#include <vector>

namespace sorvane {

// The per-version folders that JetBrains tools leave behind, named <Product><YYYY>.<N>: every
// version of a product but its newest is one nobody runs any more.
class JetBrainsVersions {
public:
    JetBrainsVersions() = delete;

    struct Version {
        std::string product;
        std::string year;
        std::string number; // digits, perhaps with leading zeros

        // Compares (year, number) as whole numbers of any length.
        bool isNewerThan(const Version& other) const;
    };

    // The version a folder name stands for: ASCII letters, four ASCII digits, ".", ASCII digits.
    static std::optional<Version> parse(const std::string& name);
    // The visible version folders (links not followed) of a folder, in listing order: the
    // newest of each product, and all the others.
    struct Split {
        std::vector<Url> newest;
        std::vector<Url> older;
    };
    static Split splitIn(const Url& folder);
};

} // namespace sorvane
