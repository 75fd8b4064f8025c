#include "ToolFolders.h"

#include <cstdlib>
#include <string>

namespace sorvane {

namespace {

std::optional<std::string> variable(const char* name) {
    const char* value = std::getenv(name); // NOLINT(concurrency-mt-unsafe)
    if (value == nullptr || *value == '\0') {
        return std::nullopt;
    }
    return std::string(value);
}

} // namespace

std::optional<Url> ToolFolders::goModuleCache(const Url& home) {
    if (const auto chosen = variable("GOMODCACHE")) {
        return chosen->starts_with("/") ? std::optional(Url::folder(*chosen)) : std::nullopt;
    }
    if (const auto paths = variable("GOPATH")) {
        const std::string first = paths->substr(0, paths->find(':'));
        return first.starts_with("/") ? std::optional(Url::folder(first).appending("pkg/mod", true))
                                      : std::nullopt;
    }
    return home.appending("go/pkg/mod", true);
}

} // namespace sorvane
