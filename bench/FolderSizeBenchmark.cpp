// Measures the folder walk on a generated tree, warm cache, and the same walk done by du.

#include "platform/Path.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

namespace {

// A tree of roughly the requested number of files, 50 per folder, folders 20 wide.
class GeneratedTree {
public:
    explicit GeneratedTree(int files) {
        char pattern[] = "/tmp/sorvane-bench-XXXXXX";
        root_ = mkdtemp(pattern);
        int made = 0;
        for (int folder = 0; made < files; ++folder) {
            const std::string dir =
                root_ + "/g" + std::to_string(folder / 20) + "/f" + std::to_string(folder);
            std::filesystem::create_directories(dir);
            for (int i = 0; i < 50 && made < files; ++i, ++made) {
                std::ofstream(dir + "/file" + std::to_string(i))
                    << std::string(static_cast<std::size_t>(made % 4096), 'x');
            }
        }
    }
    ~GeneratedTree() { std::filesystem::remove_all(root_); }
    GeneratedTree(const GeneratedTree&) = delete;
    GeneratedTree& operator=(const GeneratedTree&) = delete;

    const std::string& root() const { return root_; }

private:
    std::string root_;
};

GeneratedTree& tree() {
    static GeneratedTree instance(100000);
    return instance;
}

void folderSize(benchmark::State& state) {
    const sorvane::Url root = sorvane::Url::folder(tree().root());
    for (auto _ : state) {
        benchmark::DoNotOptimize(sorvane::Path::directorySize(root));
    }
}
BENCHMARK(folderSize)->Unit(benchmark::kMillisecond);

void duApparentSize(benchmark::State& state) {
    const std::string command = "du --apparent-size -s -B1 '" + tree().root() + "' > /dev/null";
    for (auto _ : state) {
        benchmark::DoNotOptimize(std::system(command.c_str())); // NOLINT(concurrency-mt-unsafe)
    }
}
BENCHMARK(duApparentSize)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
