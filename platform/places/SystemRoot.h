#pragma once

#include <string>

namespace sorvane {

// The folder under which the system-wide locations (/Applications, /System/Applications,
// /Volumes) are looked up. Empty means the real root. It starts from the environment variable
// SORVANE_ROOT, so that the application and the CLI can be pointed at a sample system; tests
// set it in-process.
class SystemRoot {
public:
    SystemRoot() = delete;

    static std::string path();
    static void set(const std::string& root);
    // The given absolute system path placed under the root.
    static std::string resolve(const std::string& absolutePath);
};

} // namespace sorvane
