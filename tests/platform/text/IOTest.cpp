#include "platform/text/IO.h"

#include <cstdint>
#include <gtest/gtest.h>
#include <limits>

using sorvane::IO;

TEST(IOTest, FormatsSizesInPowersOf1024) {
    const std::pair<std::uint64_t, const char*> examples[] = {
        {0, "0 B"},
        {1023, "1023 B"},
        {1024, "1 KB"},
        {1536, "1.5 KB"},
        {1048575, "1024 KB"},
        // Rounding that carries into another digit, and zeros trimmed only after the point.
        {1023994, "999.99 KB"},
        {1023995, "1000 KB"},
        {1073689395, "1023.9 MB"},
        {1073689396, "1024 MB"},
        {1048576, "1 MB"},
        {std::numeric_limits<std::uint64_t>::max(), "16 EB"},
    };
    for (const auto& [bytes, text] : examples) {
        EXPECT_EQ(IO::formattedSize(bytes), text) << bytes;
    }
}
