#pragma once

#include <cstdint>
#include <string>

namespace sorvane::tools {

struct SampleHomeOptions {
    std::string home; // the folder that becomes the home (it should lie two levels deep)
    std::string root; // the system root holding Applications
    std::uint64_t seed = 1;
    std::uint64_t files = 2000; // roughly how many files to make, the fixed skeleton included
};

// Lays out a macOS-style home with something for every junk category and a system root with
// installed applications. The same options give the same tree: names, nesting, sizes, link
// targets and file contents depend only on the seed and the file count.
class SampleHome {
public:
    explicit SampleHome(SampleHomeOptions options);

    // Returns the number of files made.
    std::uint64_t build();
    // Stores the two folder grants (the home folder and its Library) in the application's
    // settings, so that it starts scanning at once.
    void storeGrants() const;

private:
    SampleHomeOptions options_;
};

} // namespace sorvane::tools
