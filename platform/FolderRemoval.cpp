#include "DescriptorStack.h"
#include "DirectoryEntries.h"
#include "Path.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

namespace sorvane {

namespace {

// Keeps the first failure of a removal so that it is reported once, however many entries fail.
class RemovalFailure {
public:
    void record(const std::string& where, int error) {
        if (error_ == 0) {
            where_ = where;
            error_ = error;
        }
    }
    void print() const {
        if (error_ != 0) {
            std::printf("%s: %s\n", where_.c_str(),
                        std::strerror(error_)); // NOLINT(concurrency-mt-unsafe)
            std::fflush(stdout);
        }
    }

private:
    std::string where_;
    int error_ = 0;
};

// Unlinks the non-folder entries of the deepest folder and queues its sub-folders.
void emptyFolder(DescriptorStack& stack, const std::string& location, RemovalFailure& failure) {
    const int folder = stack.top();
    auto& pending = stack.pending();
    forEachEntry(folder, [&](std::string_view name, unsigned char type) {
        if (type == DT_DIR) {
            pending.emplace_back(name);
        } else if (unlinkat(folder, name.data(), 0) != 0) {
            if (errno == EISDIR) {
                pending.emplace_back(name);
            } else if (errno != ENOENT) {
                failure.record(location, errno);
            }
        }
        return true;
    });
}

// Removes everything inside the folder open at the root of the stack. Every level is opened
// relative to its parent without following links, so a sub-folder replaced by a link while we
// work is removed as the link it has become, and its target is never entered.
void removeContents(DescriptorStack& stack, const std::string& location, RemovalFailure& failure) {
    emptyFolder(stack, location, failure);
    for (;;) {
        if (stack.pending().empty()) {
            if (stack.depth() == 1) {
                return;
            }
            const std::string name = stack.topName();
            if (!stack.pop()) {
                failure.record(location, ESTALE);
                return;
            }
            if (unlinkat(stack.top(), name.c_str(), AT_REMOVEDIR) != 0 && errno != ENOENT) {
                failure.record(location, errno);
            }
            continue;
        }
        const std::string name = std::move(stack.pending().back());
        stack.pending().pop_back();
        if (stack.push(name)) {
            emptyFolder(stack, location, failure);
        } else if (errno == ELOOP || errno == ENOTDIR) {
            if (unlinkat(stack.top(), name.c_str(), 0) != 0 && errno != ENOENT) {
                failure.record(location, errno);
            }
        } else if (errno != ENOENT) {
            failure.record(location, errno);
        }
    }
}

bool somethingAt(int parent, const std::string& name) {
    struct stat info {};
    return fstatat(parent, name.c_str(), &info, AT_SYMLINK_NOFOLLOW) == 0 || errno != ENOENT;
}

} // namespace

bool Path::remove(const Url& url) {
    const std::string& location = url.path();
    RemovalFailure failure;
    if (location.empty() || location == "/") {
        failure.record("/", EBUSY);
        failure.print();
        return false;
    }
    // Links among the parent folders are followed, as in any path; the item itself never is.
    const int parent =
        open(url.deletingLastPathComponent().path().c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (parent < 0) {
        failure.record(location, errno);
        failure.print();
        struct stat info {};
        return lstat(location.c_str(), &info) != 0 && errno == ENOENT;
    }
    const std::string name = url.lastPathComponent();
    struct stat info {};
    if (fstatat(parent, name.c_str(), &info, AT_SYMLINK_NOFOLLOW) != 0) {
        failure.record(location, errno);
    } else if (!S_ISDIR(info.st_mode)) {
        if (unlinkat(parent, name.c_str(), 0) != 0) {
            failure.record(location, errno);
        }
    } else {
        const int folder =
            openat(parent, name.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
        if (folder >= 0) {
            DescriptorStack stack(folder);
            removeContents(stack, location, failure);
        }
        // A folder that turned into a link or file since it was looked at goes as such. When
        // its contents failed, the cause recorded there is kept: it explains why it stays.
        const bool openable = folder >= 0 || errno == ELOOP || errno == ENOTDIR;
        if (!openable || (unlinkat(parent, name.c_str(), folder >= 0 ? AT_REMOVEDIR : 0) != 0 &&
                          errno != ENOENT)) {
            failure.record(location, errno);
        }
    }
    failure.print();
    const bool gone = !somethingAt(parent, name);
    close(parent);
    return gone;
}

} // namespace sorvane
