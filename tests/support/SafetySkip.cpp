#include "SafetySkip.h"

#include <cstdlib>
#include <sstream>

namespace sorvane::test {

bool skipAllowed() {
    const char* allowed = std::getenv("SORVANE_ALLOW_SKIP"); // NOLINT(concurrency-mt-unsafe)
    if (allowed == nullptr) {
        return false;
    }
    const auto* test = ::testing::UnitTest::GetInstance()->current_test_info();
    const std::string name = std::string(test->test_suite_name()) + "." + test->name();
    std::istringstream names(allowed);
    for (std::string entry; std::getline(names, entry, ',');) {
        if (entry == name) {
            return true;
        }
    }
    return false;
}

} // namespace sorvane::test
