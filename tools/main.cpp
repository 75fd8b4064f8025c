// sorvane-sample-home: lays out a realistic sample home and system root for demos, tests and
// benchmarks.

#include "FreedesktopSampleHome.h"
#include "SampleHome.h"

#include <QCoreApplication>

#include <charconv>
#include <cstdio>
#include <filesystem>
#include <stdexcept>
#include <string>
#include <vector>

namespace {

constexpr auto usage =
    R"(Usage: sorvane-sample-home --home DIR --root DIR [--seed N] [--files N] [--grants]
                          [--layout macos|freedesktop]

Lays out a macOS-style home folder with something for every junk category Sorvane knows
(caches, browser data, mail attachments, crash reports, saved states, trash, Xcode build
products, old application versions, leftover containers) and a system root whose Applications
folder holds bundles with XML and binary Info.plist files and .icns icons.

With --layout freedesktop it lays out a Linux desktop's home instead (XDG base folders under
the home): caches of native, Snap and Flatpak programs with their profiles, thumbnails, a
trash with its records and orphaned records, developer caches, replaced editor extensions and
tool versions, and crash reports in the system root's var/crash.

  --home DIR    The home folder to fill (missing or empty). For the macOS layout it should lie
                two levels deep, as /tmp/sample-home does, because Sorvane takes the first two
                levels of the home there; a freedesktop home may lie anywhere.
  --root DIR    The system root to fill (missing or empty); point SORVANE_ROOT or --root at it.
  --seed N      The same seed gives the same tree (default 1).
  --files N     Roughly how many files to make, from a few hundred to millions (default 2000);
                the shape stays the same at every scale.
  --grants      Also store the folder grants of the home and its Library in Sorvane's settings
                (XDG_CONFIG_HOME is honoured), so that the application starts scanning at once.
                The freedesktop layout has no grants.
  --layout L    macos (the default) or freedesktop.
)";

bool emptyOrMissing(const std::string& folder) {
    std::error_code error;
    if (!std::filesystem::exists(folder, error)) {
        return true;
    }
    return std::filesystem::is_directory(folder, error) && std::filesystem::is_empty(folder, error);
}

std::optional<std::uint64_t> number(const std::string& text) {
    std::uint64_t value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size()) {
        return std::nullopt;
    }
    return value;
}

int fail(const std::string& message) {
    std::fprintf(stderr, "sorvane-sample-home: %s\n", message.c_str());
    return 2;
}

} // namespace

int main(int argc, char** argv) {
    const std::vector<std::string> arguments(argv + 1, argv + argc);
    QCoreApplication application(argc, argv);
    sorvane::tools::SampleHomeOptions options;
    bool grants = false;
    bool freedesktop = false;
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::string& argument = arguments[i];
        if (argument == "--help" || argument == "-h") {
            std::fputs(usage, stdout);
            return 0;
        }
        if (argument == "--grants") {
            grants = true;
            continue;
        }
        if (argument != "--home" && argument != "--root" && argument != "--seed" &&
            argument != "--files" && argument != "--layout") {
            return fail("unknown argument '" + argument + "' (see --help)");
        }
        if (i + 1 >= arguments.size()) {
            return fail(argument + " needs a value");
        }
        const std::string& value = arguments[++i];
        if (argument == "--layout") {
            if (value != "macos" && value != "freedesktop") {
                return fail("--layout needs macos or freedesktop, not '" + value + "'");
            }
            freedesktop = value == "freedesktop";
            continue;
        }
        if (argument == "--home" || argument == "--root") {
            const std::string absolute =
                std::filesystem::absolute(value).lexically_normal().string();
            (argument == "--home" ? options.home : options.root) =
                absolute.size() > 1 && absolute.back() == '/'
                    ? absolute.substr(0, absolute.size() - 1)
                    : absolute;
            continue;
        }
        const auto parsed = number(value);
        if (!parsed) {
            return fail(argument + " needs a whole number, not '" + value + "'");
        }
        (argument == "--seed" ? options.seed : options.files) = *parsed;
    }
    if (options.home.empty() || options.root.empty()) {
        return fail("both --home and --root are needed (see --help)");
    }
    if (freedesktop && grants) {
        return fail("--grants belongs to the macOS layout: a freedesktop home needs no grants");
    }
    for (const auto& folder : {options.home, options.root}) {
        if (!emptyOrMissing(folder)) {
            return fail("'" + folder + "' exists and is not an empty folder; nothing was written");
        }
    }
    try {
        std::uint64_t made = 0;
        if (freedesktop) {
            made = sorvane::tools::FreedesktopSampleHome(options).build();
        } else {
            sorvane::tools::SampleHome home(options);
            made = home.build();
            if (grants) {
                home.storeGrants();
            }
        }
        std::printf("%llu files in %s and %s\n", static_cast<unsigned long long>(made),
                    options.home.c_str(), options.root.c_str());
    } catch (const std::exception& error) {
        return fail(error.what());
    }
    return 0;
}
