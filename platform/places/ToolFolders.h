#pragma once

#include "platform/fs/Url.h"

#include <optional>

namespace sorvane {

// Folders that developer tools choose by environment variables of their own.
class ToolFolders {
public:
    ToolFolders() = delete;

    // Where the go command keeps downloaded modules: $GOMODCACHE, else pkg/mod in the first
    // entry of $GOPATH, else ~/go/pkg/mod. Nothing where go itself would refuse the setting
    // (a relative path, an empty first $GOPATH entry).
    static std::optional<Url> goModuleCache(const Url& home);
};

} // namespace sorvane
