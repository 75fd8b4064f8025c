#include "FreedesktopOldVersionsFinder.h"

#include "FreedesktopBlocks.h"
#include "JetBrainsVersions.h"
#include "ObsoleteExtensions.h"
#include "platform/icons/Images.h"

#include <algorithm>
#include <cctype>
#include <optional>

namespace sorvane {

using namespace finder;

namespace {

// A wrapper distribution's folder, gradle-<version>-<bin|all>: the version's numbers, and
// whether a pre-release (rc, milestone) follows them.
struct GradleVersion {
    std::vector<unsigned long> numbers;
    bool preRelease = false;

    bool operator<(const GradleVersion& other) const {
        if (numbers != other.numbers) {
            return numbers < other.numbers;
        }
        return preRelease && !other.preRelease;
    }
};

std::optional<GradleVersion> gradleVersion(const std::string& name) {
    constexpr std::string_view prefix = "gradle-";
    if (!name.starts_with(prefix) || !(name.ends_with("-bin") || name.ends_with("-all"))) {
        return std::nullopt;
    }
    const std::string version = name.substr(prefix.size(), name.size() - prefix.size() - 4);
    GradleVersion parsed;
    std::size_t at = 0;
    while (at < version.size() && std::isdigit(static_cast<unsigned char>(version[at])) != 0) {
        std::size_t end = at;
        while (end < version.size() &&
               std::isdigit(static_cast<unsigned char>(version[end])) != 0) {
            ++end;
        }
        if (end - at > 9) {
            return std::nullopt;
        }
        parsed.numbers.push_back(std::stoul(version.substr(at, end - at)));
        at = end;
        if (at < version.size() && version[at] == '.') {
            ++at;
        } else {
            break;
        }
    }
    if (parsed.numbers.empty()) {
        return std::nullopt;
    }
    parsed.preRelease = at < version.size();
    return parsed;
}

// Every wrapper distribution older than the newest one present; the build that asks for an
// older one downloads it again.
std::vector<Url> olderGradleDistributions(const Url& dists) {
    std::vector<std::pair<Url, GradleVersion>> versions;
    for (const Url& entry : profiles(dists)) {
        if (auto version = gradleVersion(entry.lastPathComponent())) {
            versions.emplace_back(entry, std::move(*version));
        }
    }
    std::vector<Url> older;
    if (versions.empty()) {
        return older;
    }
    const GradleVersion newest =
        std::max_element(versions.begin(), versions.end(), [](const auto& a, const auto& b) {
            return a.second < b.second;
        })->second;
    for (const auto& [location, version] : versions) {
        if (version < newest) {
            older.push_back(location);
        }
    }
    return older;
}

} // namespace

FreedesktopOldVersionsFinder::FreedesktopOldVersionsFinder()
    : CategoryFinder("OLD_VERSIONS", Images::symbol("arrow.down.app.fill"), std::nullopt) {}

void FreedesktopOldVersionsFinder::search() {
    for (const Url& extensions :
         locateAll({{Base::home, ".vscode/extensions"}, {Base::home, ".vscode-oss/extensions"}})) {
        appendItems(found(), ObsoleteExtensions::in(extensions));
    }
    // Settings are kept per version too, in the configuration folder, and are never touched:
    // they are what a newer version imports.
    const std::vector<Url> jetBrains =
        locateAll({{Base::cache, "JetBrains"}, {Base::data, "JetBrains"}});
    for (std::size_t i = 0; i < jetBrains.size(); ++i) {
        // Cache and data folders set to one folder would offer each version twice.
        if (i > 0 && jetBrains[i] == jetBrains[0]) {
            continue;
        }
        appendItems(found(), JetBrainsVersions::splitIn(jetBrains[i]).older);
    }
    if (const auto dists = locate({Base::home, ".gradle/wrapper/dists"})) {
        appendItems(found(), olderGradleDistributions(*dists));
    }
    // A version is one program: half of it would be of no use to anyone.
    for (const auto& item : found().items()) {
        item->setAgeBasis(AgeBasis::wholeUnit);
    }
}

} // namespace sorvane
