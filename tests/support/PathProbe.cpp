// Runs one file-system operation of the core and reports its answer, so that tests can watch
// the operation as another user. The answer goes to standard output; standard error holds only
// what the operation itself logged.

#include "platform/fs/Path.h"
#include "platform/fs/Shutdown.h"
#include "platform/keep/KeepListFile.h"
#include "support/SwapRace.h"

#include <cstdio>
#include <cstring>
#include <string>
#include <unistd.h>

int main(int argc, char** argv) {
    if (argc == 4 && std::string(argv[1]) == "swap") {
        // An attacker: swaps the folder for a link to the target and back until killed.
        for (;;) {
            sorvane::test::swapForLink(argv[2], argv[3]);
            sorvane::test::swapBack(argv[2]);
        }
    }
    if (argc != 3) {
        std::fputs("usage: sorvane-path-probe size|remove|folders[-quitting] PATH | swap DIR TO"
                   " | keep-add LIST\n",
                   stderr);
        return 2;
    }
    // "-quitting" after an operation runs it once the process has begun to end.
    std::string operation = argv[1];
    if (operation.ends_with("-quitting")) {
        sorvane::Shutdown::begin();
        operation.erase(operation.find('-'));
    }
    const sorvane::Url url(argv[2]);
    if (operation == "size") {
        const auto size = sorvane::Path::directorySize(url);
        std::printf("%llu%s\n", static_cast<unsigned long long>(size.bytes),
                    size.complete ? "" : " incomplete");
    } else if (operation == "remove") {
        std::fputs(sorvane::Path::remove(url, {}).gone ? "gone\n" : "left\n", stdout);
    } else if (operation == "remove-freed") {
        // What the removal says it freed, and why something stays.
        const auto outcome = sorvane::Path::remove(url, {});
        std::printf("%s %llu %s\n", outcome.gone ? "gone" : "left",
                    static_cast<unsigned long long>(outcome.freed.total()),
                    std::string(sorvane::wordOf(outcome.why())).c_str());
    } else if (operation == "keep-add") {
        // Many small changes, each under the list's lock, to race another process doing the same.
        sorvane::KeepListFile::useLocation(argv[2]);
        const std::string prefix = "/race/" + std::to_string(getpid()) + "/";
        for (int i = 0; i < 100; ++i) {
            if (const auto problem =
                    sorvane::KeepListFile::change({prefix + std::to_string(i)}, {})) {
                std::fprintf(stderr, "%s\n", problem->c_str());
                return 1;
            }
        }
    } else if (operation == "folders") {
        std::printf("%zu\n", sorvane::Path::contents(url, true).size());
    } else {
        std::fputs("unknown operation\n", stderr);
        return 2;
    }
    return 0;
}
