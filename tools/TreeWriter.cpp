#include "TreeWriter.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <stdexcept>
#include <sys/stat.h>
#include <unistd.h>

namespace sorvane::tools {

namespace {

[[noreturn]] void refuse(const std::string& what, const std::string& path) {
    throw std::runtime_error("cannot " + what + " " + path + ": " +
                             std::strerror(errno)); // NOLINT(concurrency-mt-unsafe)
}

} // namespace

TreeWriter::TreeWriter(std::string base, SampleRandom& random)
    : base_(std::move(base))
    , random_(random) {
    folder("");
}

void TreeWriter::parentsOf(const std::string& path) const {
    const auto slash = path.rfind('/');
    if (slash != std::string::npos && slash > 0) {
        std::error_code error;
        std::filesystem::create_directories(path.substr(0, slash), error);
        if (error) {
            errno = error.value();
            refuse("create the folder for", path);
        }
    }
}

void TreeWriter::folder(const std::string& relative) const {
    std::error_code error;
    std::filesystem::create_directories(relative.empty() ? base_ : pathOf(relative), error);
    if (error) {
        errno = error.value();
        refuse("create the folder", pathOf(relative));
    }
}

void TreeWriter::file(const std::string& relative, std::uint64_t size) {
    std::string head(static_cast<std::size_t>(std::min<std::uint64_t>(size, 64)), '\0');
    for (auto& c : head) {
        c = static_cast<char>(random_.below(256));
    }
    const std::string path = pathOf(relative);
    parentsOf(path);
    const int descriptor = open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (descriptor < 0) {
        refuse("create", path);
    }
    const bool written =
        write(descriptor, head.data(), head.size()) == static_cast<ssize_t>(head.size()) &&
        ftruncate(descriptor, static_cast<off_t>(size)) == 0;
    close(descriptor);
    if (!written) {
        refuse("write", path);
    }
    ++files_;
}

void TreeWriter::file(const std::string& relative, const std::string& bytes) {
    const std::string path = pathOf(relative);
    parentsOf(path);
    const int descriptor = open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (descriptor < 0) {
        refuse("create", path);
    }
    const bool written =
        write(descriptor, bytes.data(), bytes.size()) == static_cast<ssize_t>(bytes.size());
    close(descriptor);
    if (!written) {
        refuse("write", path);
    }
    ++files_;
}

void TreeWriter::fill(const std::string& folder, std::uint64_t count) {
    std::uint64_t made = 0;
    for (int group = 0; made < count; ++group) {
        const std::string sub = folder + "/" + random_.hex(2) + "/" + random_.hex(2) +
                                (random_.chance(30) ? "/" + random_.hex(2) : "");
        const std::uint64_t inFolder =
            std::min<std::uint64_t>(count - made, random_.between(8, 60));
        for (std::uint64_t i = 0; i < inFolder; ++i, ++made) {
            file(sub + "/" + random_.hex(16), random_.fileSize());
        }
    }
}

void TreeWriter::link(const std::string& relative, const std::string& target) const {
    const std::string path = pathOf(relative);
    parentsOf(path);
    if (symlink(target.c_str(), path.c_str()) != 0) {
        refuse("link", path);
    }
}

} // namespace sorvane::tools
