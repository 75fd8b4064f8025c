// sorvane-cli: Sorvane's cleaning engine without a window.

#include "platform/Directory.h"
#include "platform/IO.h"
#include "platform/Path.h"

#include <QCoreApplication>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <utility>

namespace {

constexpr auto usage = R"(Usage: sorvane-cli COMMAND [OPTIONS]

Commands:
  folders [--home DIR]   Print the well-known folders of the account and their sizes.

Options:
  --home DIR   Take DIR as the home folder (it must lie two levels deep, as /Users/name does).
  --help       Show this text.
  --version    Show the version.
)";

void printFolders() {
    using sorvane::Directory;
    const std::pair<const char*, Directory> folders[] = {
        {"Library", Directory::library},
        {"Caches", Directory::caches},
        {"Application Support", Directory::applicationSupport},
        {"Containers", Directory::containers},
        {"Saved Application State", Directory::savedState},
        {"Trash", Directory::trash},
        {"Mail Downloads", Directory::mailAttachments},
        {"Xcode", Directory::xcode},
    };
    std::printf("Home: %s\n", sorvane::url(Directory::user).path().c_str());
    for (const auto& [title, directory] : folders) {
        const auto location = sorvane::url(directory);
        const bool present = sorvane::Path::isDirectory(location.path());
        std::printf("%-24s %12s  %s\n", title,
                    present
                        ? sorvane::IO::formattedSize(sorvane::Path::directorySize(location)).c_str()
                        : "-",
                    location.path().c_str());
    }
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication application(argc, argv);
    std::string command;
    for (int i = 1; i < argc; ++i) {
        const std::string argument = argv[i];
        if (argument == "--help" || argument == "-h") {
            std::fputs(usage, stdout);
            return 0;
        }
        if (argument == "--version") {
            std::printf("sorvane-cli %s\n", SORVANE_VERSION);
            return 0;
        }
        if (argument == "--home") {
            if (i + 1 >= argc) {
                std::fputs("sorvane-cli: --home needs a folder\n", stderr);
                return 2;
            }
            setenv("HOME", argv[++i], 1); // NOLINT(concurrency-mt-unsafe)
        } else if (command.empty() && argument.front() != '-') {
            command = argument;
        } else {
            std::fprintf(stderr, "sorvane-cli: unknown argument '%s' (see --help)\n",
                         argument.c_str());
            return 2;
        }
    }
    if (command == "folders") {
        printFolders();
        return 0;
    }
    std::fprintf(stderr, "sorvane-cli: %s\n",
                 command.empty() ? "no command given (see --help)"
                                 : ("unknown command '" + command + "' (see --help)").c_str());
    return 2;
}
