#pragma once

#include <dirent.h>

#include <cerrno>
#include <cstring>
#include <string_view>

namespace sorvane {

// Calls visit(name, type) for every entry of an open folder except "." and "..", where type is
// the d_type of the entry (DT_UNKNOWN when the file system does not say). The name's data is
// NUL-terminated, so it can go straight to the *at() calls. Reads the folder in
// large batches straight from the kernel; stops early when visit returns false. Returns 0, or
// the errno value that reading the folder failed with.
template <typename Visit> int forEachEntry(int folderDescriptor, Visit&& visit) {
    alignas(dirent64) char buffer[32768];
    for (;;) {
        const ssize_t count = getdents64(folderDescriptor, buffer, sizeof buffer);
        if (count <= 0) {
            return count < 0 ? errno : 0;
        }
        for (ssize_t offset = 0; offset < count;) {
            const auto* entry = reinterpret_cast<const dirent64*>(buffer + offset);
            offset += entry->d_reclen;
            const std::string_view name(entry->d_name);
            if (name == "." || name == "..") {
                continue;
            }
            if (!visit(name, entry->d_type)) {
                return 0;
            }
        }
    }
}

inline bool isHiddenName(std::string_view name) {
    return !name.empty() && name.front() == '.';
}

} // namespace sorvane
