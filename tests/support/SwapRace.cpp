#include "SwapRace.h"

#include <cstdio>
#include <unistd.h>

namespace sorvane::test {

void swapForLink(const std::string& folder, const std::string& target) {
    std::rename(folder.c_str(), (folder + ".moved").c_str());
    symlink(target.c_str(), folder.c_str());
}

void swapBack(const std::string& folder) {
    unlink(folder.c_str());
    std::rename((folder + ".moved").c_str(), folder.c_str());
}

SwapRace::SwapRace(std::vector<std::string> folders, std::string target, bool flipping)
    : thread_([this, folders = std::move(folders), target = std::move(target), flipping] {
        do {
            for (const auto& folder : folders) {
                if (done_.load()) {
                    return;
                }
                swapForLink(folder, target);
                if (flipping) {
                    swapBack(folder);
                }
            }
        } while (flipping);
    }) {}

SwapRace::~SwapRace() {
    done_ = true;
    thread_.join();
}

} // namespace sorvane::test
