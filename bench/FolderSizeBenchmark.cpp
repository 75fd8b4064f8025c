// The folder walk and the removal against du, find and rm -rf on the same trees, warm or cold
// cache. bench/ratios.sh sets the trees up and turns the medians into ratios.
//
//   SORVANE_BENCH_TREE    a large tree to measure (default: a generated 100,000-file tree)
//   SORVANE_BENCH_REMOVE  a tree to copy afresh before each removal (removal benchmarks only)
//   SORVANE_BENCH_COLD=1  drop the page cache before each run (needs root)

#include "platform/fs/Path.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <dirent.h>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <string>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace {

std::string environment(const char* name) {
    const char* value = std::getenv(name); // NOLINT(concurrency-mt-unsafe)
    return value != nullptr ? value : "";
}

std::string quoted(const std::string& path) {
    return "'" + path + "'";
}

// A temporary tree of folders, each holding the given number of small files.
class GeneratedTree {
public:
    GeneratedTree(int files, int perFolder, int foldersPerGroup) {
        char pattern[] = "/tmp/sorvane-bench-XXXXXX";
        root_ = mkdtemp(pattern);
        int made = 0;
        for (int folder = 0; made < files; ++folder) {
            const std::string dir = root_ + "/g" + std::to_string(folder / foldersPerGroup) + "/f" +
                                    std::to_string(folder);
            std::filesystem::create_directories(dir);
            for (int i = 0; i < perFolder && made < files; ++i, ++made) {
                std::ofstream(dir + "/file" + std::to_string(i))
                    << std::string(static_cast<std::size_t>(made % 4096), 'x');
            }
        }
    }
    ~GeneratedTree() { std::filesystem::remove_all(root_); }
    GeneratedTree(const GeneratedTree&) = delete;
    GeneratedTree& operator=(const GeneratedTree&) = delete;

    const std::string& root() const { return root_; }
    std::vector<std::string> leafFolders() const {
        std::vector<std::string> folders;
        for (const auto& group : std::filesystem::directory_iterator(root_)) {
            for (const auto& folder : std::filesystem::directory_iterator(group.path())) {
                folders.push_back(folder.path().string());
            }
        }
        return folders;
    }

private:
    std::string root_;
};

const std::string& largeTree() {
    static const std::string given = environment("SORVANE_BENCH_TREE");
    if (!given.empty()) {
        return given;
    }
    static const GeneratedTree generated(100000, 50, 20);
    return generated.root();
}

// 20,000 folders of three files each.
const std::vector<std::string>& smallFolders() {
    static const GeneratedTree tree(60000, 3, 200);
    static const std::vector<std::string> folders = tree.leafFolders();
    return folders;
}

void dropCachesIfCold(benchmark::State& state) {
    if (environment("SORVANE_BENCH_COLD") != "1") {
        return;
    }
    state.PauseTiming();
    sync();
    std::ofstream("/proc/sys/vm/drop_caches") << "3\n";
    state.ResumeTiming();
}

void run(const std::string& command) {
    if (std::system(command.c_str()) != 0) { // NOLINT(concurrency-mt-unsafe)
        std::fprintf(stderr, "failed: %s\n", command.c_str());
    }
}

// The plain single-threaded descriptor walk that small folders are compared with.
std::uint64_t plainWalk(int folder) {
    std::uint64_t sum = 0;
    DIR* listing = fdopendir(folder);
    if (listing == nullptr) {
        close(folder);
        return 0;
    }
    while (const dirent* entry = readdir(listing)) {
        const std::string_view name(entry->d_name);
        if (name == "." || name == "..") {
            continue;
        }
        struct stat info {};
        if (fstatat(dirfd(listing), entry->d_name, &info, AT_SYMLINK_NOFOLLOW) != 0) {
            continue;
        }
        if (S_ISDIR(info.st_mode)) {
            const int child = openat(dirfd(listing), entry->d_name,
                                     O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
            if (child >= 0) {
                sum += plainWalk(child);
            }
        } else {
            sum += static_cast<std::uint64_t>(info.st_size);
        }
    }
    closedir(listing);
    return sum;
}

void folderSize(benchmark::State& state) {
    const sorvane::Url root = sorvane::Url::folder(largeTree());
    for (auto _ : state) {
        dropCachesIfCold(state);
        benchmark::DoNotOptimize(sorvane::Path::directorySize(root).bytes);
    }
}
BENCHMARK(folderSize)->Unit(benchmark::kMillisecond)->UseRealTime();

void duApparentSize(benchmark::State& state) {
    const std::string command = "du --apparent-size -s -B1 " + quoted(largeTree()) + " > /dev/null";
    for (auto _ : state) {
        dropCachesIfCold(state);
        run(command);
    }
}
BENCHMARK(duApparentSize)->Unit(benchmark::kMillisecond)->UseRealTime();

void findPrintfSize(benchmark::State& state) {
    const std::string command = "find " + quoted(largeTree()) + " -printf '%s\\n' > /dev/null";
    for (auto _ : state) {
        dropCachesIfCold(state);
        run(command);
    }
}
BENCHMARK(findPrintfSize)->Unit(benchmark::kMillisecond)->UseRealTime();

void smallFoldersOneByOne(benchmark::State& state) {
    const auto& folders = smallFolders();
    for (auto _ : state) {
        std::uint64_t sum = 0;
        for (const auto& folder : folders) {
            sum += sorvane::Path::directorySize(sorvane::Url::folder(folder)).bytes;
        }
        benchmark::DoNotOptimize(sum);
    }
}
BENCHMARK(smallFoldersOneByOne)->Unit(benchmark::kMillisecond)->UseRealTime();

void smallFoldersPlainWalk(benchmark::State& state) {
    const auto& folders = smallFolders();
    for (auto _ : state) {
        std::uint64_t sum = 0;
        for (const auto& folder : folders) {
            const int descriptor =
                open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
            if (descriptor >= 0) {
                sum += plainWalk(descriptor);
            }
        }
        benchmark::DoNotOptimize(sum);
    }
}
BENCHMARK(smallFoldersPlainWalk)->Unit(benchmark::kMillisecond)->UseRealTime();

// Each run removes a fresh copy of the template tree; copying is not timed.
template <typename Remove> void removeCopies(benchmark::State& state, Remove&& remove) {
    const std::string source = environment("SORVANE_BENCH_REMOVE");
    if (source.empty()) {
        state.SkipWithError("SORVANE_BENCH_REMOVE is not set");
        return;
    }
    const std::string copy = source + ".copy";
    for (auto _ : state) {
        state.PauseTiming();
        run("rm -rf " + quoted(copy) + " && cp -a " + quoted(source) + " " + quoted(copy));
        state.ResumeTiming();
        remove(copy);
    }
}

void removeTree(benchmark::State& state) {
    removeCopies(state, [](const std::string& copy) {
        benchmark::DoNotOptimize(sorvane::Path::remove(sorvane::Url::folder(copy), {}).gone);
    });
}
BENCHMARK(removeTree)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(1);

void rmRecursive(benchmark::State& state) {
    removeCopies(state, [](const std::string& copy) { run("rm -rf " + quoted(copy)); });
}
BENCHMARK(rmRecursive)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(1);

} // namespace

BENCHMARK_MAIN();
