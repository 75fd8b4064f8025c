#include "DescriptorStack.h"
#include "DirectoryEntries.h"
#include "Path.h"

#include <fcntl.h>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

namespace sorvane {

namespace {

// Adds the sizes of the folder's non-folder entries and queues its sub-folders.
void measureFolder(DescriptorStack& stack, std::uint64_t& sum) {
    const int folder = stack.top();
    auto& pending = stack.pending();
    forEachEntry(folder, [&](std::string_view name, unsigned char type) {
        if (type == DT_DIR) {
            pending.emplace_back(name);
            return true;
        }
        struct stat info {};
        if (fstatat(folder, name.data(), &info, AT_SYMLINK_NOFOLLOW) != 0) {
            return true;
        }
        if (S_ISDIR(info.st_mode)) {
            pending.emplace_back(name);
        } else {
            sum += static_cast<std::uint64_t>(info.st_size);
        }
        return true;
    });
}

} // namespace

std::uint64_t Path::directorySize(const Url& url) {
    const int root = open(url.path().c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
    if (root < 0) {
        return 0;
    }
    std::uint64_t sum = 0;
    DescriptorStack stack(root);
    measureFolder(stack, sum);
    for (;;) {
        if (stack.pending().empty()) {
            if (stack.depth() == 1 || !stack.pop()) {
                return sum;
            }
            continue;
        }
        const std::string name = std::move(stack.pending().back());
        stack.pending().pop_back();
        // A sub-folder that cannot be opened loses only its own entries.
        if (stack.push(name)) {
            measureFolder(stack, sum);
        }
    }
}

} // namespace sorvane
