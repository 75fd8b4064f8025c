#pragma once

#include <cstdint>
#include <string>

namespace sorvane::tools {

// A small random source whose sequence depends only on the seed, on every platform and
// standard library (the standard distributions do not promise that).
class SampleRandom {
public:
    explicit SampleRandom(std::uint64_t seed)
        : state_(seed ^ 0x9e3779b97f4a7c15ULL) {}

    std::uint64_t next() {
        // splitmix64
        std::uint64_t z = (state_ += 0x9e3779b97f4a7c15ULL);
        z = (z ^ (z >> 30U)) * 0xbf58476d1ce4e5b9ULL;
        z = (z ^ (z >> 27U)) * 0x94d049bb133111ebULL;
        return z ^ (z >> 31U);
    }
    // A number from 0 to bound - 1 (bound > 0).
    std::uint64_t below(std::uint64_t bound) { return next() % bound; }
    std::uint64_t between(std::uint64_t low, std::uint64_t high) {
        return low + below(high - low + 1);
    }
    bool chance(unsigned percent) { return below(100) < percent; }
    // Lower-case hex text of the given length.
    std::string hex(std::size_t length) {
        static constexpr char digits[] = "0123456789abcdef";
        std::string text(length, '0');
        for (auto& c : text) {
            c = digits[below(16)];
        }
        return text;
    }
    // A file size as caches have them: mostly small, some large.
    std::uint64_t fileSize() {
        const auto bucket = below(100);
        if (bucket < 40) {
            return between(0, 1024);
        }
        if (bucket < 75) {
            return between(1025, 16384);
        }
        if (bucket < 95) {
            return between(16385, 262144);
        }
        return between(262145, 4194304);
    }

private:
    std::uint64_t state_;
};

} // namespace sorvane::tools
