#include "SystemRoot.h"

#include <cstdlib>
#include <mutex>

namespace sorvane {

namespace {

struct RootState {
    std::mutex mutex;
    std::string root;

    RootState() {
        if (const char* fromEnvironment =
                std::getenv("SORVANE_ROOT")) { // NOLINT(concurrency-mt-unsafe)
            root = fromEnvironment;
        }
    }
};

RootState& state() {
    static RootState instance;
    return instance;
}

std::string withoutTrailingSlashes(std::string text) {
    while (!text.empty() && text.back() == '/') {
        text.pop_back();
    }
    return text;
}

} // namespace

std::string SystemRoot::path() {
    const std::lock_guard lock(state().mutex);
    return state().root;
}

void SystemRoot::set(const std::string& root) {
    const std::lock_guard lock(state().mutex);
    state().root = withoutTrailingSlashes(root);
}

std::string SystemRoot::resolve(const std::string& absolutePath) {
    return withoutTrailingSlashes(path()) + absolutePath;
}

} // namespace sorvane
