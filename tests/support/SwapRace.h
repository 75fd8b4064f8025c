#pragma once

#include <atomic>
#include <string>
#include <thread>
#include <vector>

namespace sorvane::test {

// Replaces a folder by a link to target, keeping the folder beside it as "<folder>.moved".
void swapForLink(const std::string& folder, const std::string& target);
// Puts a folder that swapForLink replaced back in place of its link.
void swapBack(const std::string& folder);

// An attacker racing a walk: on a thread of its own, swaps each folder in turn for a link to
// target, once each or (flipping) back and forth until it is destroyed.
class SwapRace {
public:
    SwapRace(std::vector<std::string> folders, std::string target, bool flipping = false);
    ~SwapRace();
    SwapRace(const SwapRace&) = delete;
    SwapRace& operator=(const SwapRace&) = delete;

private:
    std::atomic<bool> done_ = false;
    std::thread thread_;
};

} // namespace sorvane::test
