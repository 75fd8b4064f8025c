#include "MountTable.h"

#include "RegularFile.h"

#include <sstream>
#include <sys/sysmacros.h>
#include <unistd.h>

namespace sorvane {

namespace {

// Mount points are written with spaces, tabs, newlines and backslashes as three octal digits.
std::string unescaped(const std::string& field) {
    std::string text;
    for (std::size_t i = 0; i < field.size(); ++i) {
        const bool octal = field[i] == '\\' && i + 3 < field.size() &&
                           field.find_first_not_of("01234567", i + 1) >= i + 4;
        if (octal) {
            text += static_cast<char>(std::stoi(field.substr(i + 1, 3), nullptr, 8));
            i += 3;
        } else {
            text += field[i];
        }
    }
    return text;
}

} // namespace

std::optional<std::string> MountTable::mountPointIn(const std::string& mountinfo,
                                                    std::uint64_t device) {
    const std::string wanted = std::to_string(major(device)) + ":" + std::to_string(minor(device));
    std::optional<std::string> best;
    bool bestIsRoot = false;
    std::istringstream lines(mountinfo);
    for (std::string line; std::getline(lines, line);) {
        std::istringstream fields(line);
        std::string id, parent, number, root, point;
        if (!(fields >> id >> parent >> number >> root >> point) || number != wanted) {
            continue;
        }
        const std::string folder = unescaped(point);
        const bool isRoot = root == "/";
        if (!best || (isRoot && !bestIsRoot) ||
            (isRoot == bestIsRoot && folder.size() < best->size())) {
            best = folder;
            bestIsRoot = isRoot;
        }
    }
    return best;
}

std::optional<std::string> MountTable::mountPointOf(std::uint64_t device) {
    // By the process's number: /proc/self is a link, which is never followed.
    const auto text =
        RegularFile::readHead("/proc/" + std::to_string(getpid()) + "/mountinfo", 4U << 20U);
    return text ? mountPointIn(*text, device) : std::nullopt;
}

} // namespace sorvane
