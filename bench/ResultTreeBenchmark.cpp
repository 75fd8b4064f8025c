// What the user waits for around the results: a full search of the nineteen categories with the
// result tree built from it (from the sizes the search measured), against one du of the same home;
// and select all with its selection summary, against one measurement of that selection.
//
// The home and system root come from SORVANE_BENCH_HOME and SORVANE_BENCH_ROOT (bench/ratios.sh
// generates them); without them a 30,000-file sample is generated for the run.

#include "MainViewModel.h"
#include "platform/desktop/SecureFolders.h"
#include "platform/desktop/UserDefaults.h"
#include "platform/places/SystemRoot.h"

#include <benchmark/benchmark.h>

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QEventLoop>
#include <QProcess>
#include <QTemporaryDir>

#include <cstdlib>
#include <memory>
#include <string>

namespace {

struct BenchHome {
    std::string home;
    std::string root;
    std::unique_ptr<QTemporaryDir> generated;
    std::unique_ptr<QTemporaryDir> generatedRoot;
    std::unique_ptr<QTemporaryDir> settings;
};

BenchHome& benchHome() {
    static BenchHome instance = [] {
        BenchHome made;
        const char* home = std::getenv("SORVANE_BENCH_HOME"); // NOLINT(concurrency-mt-unsafe)
        const char* root = std::getenv("SORVANE_BENCH_ROOT"); // NOLINT(concurrency-mt-unsafe)
        if (home != nullptr && root != nullptr) {
            made.home = home;
            made.root = root;
        } else {
            made.generated =
                std::make_unique<QTemporaryDir>(QStringLiteral("/tmp/sorvane-bench-XXXXXX"));
            made.home = made.generated->path().toStdString();
            made.generatedRoot =
                std::make_unique<QTemporaryDir>(QStringLiteral("/tmp/sorvane-bench-root-XXXXXX"));
            made.root = made.generatedRoot->path().toStdString();
            QProcess::execute(QStringLiteral(SORVANE_SAMPLE_HOME),
                              {QStringLiteral("--home"), QString::fromStdString(made.home),
                               QStringLiteral("--root"), QString::fromStdString(made.root),
                               QStringLiteral("--files"), QStringLiteral("30000")});
        }
        // The grants of the home go to a settings file of the run's own.
        made.settings = std::make_unique<QTemporaryDir>();
        sorvane::UserDefaults::useFile(made.settings->filePath(QStringLiteral("Sorvane.conf")));
        setenv("HOME", made.home.c_str(), 1); // NOLINT(concurrency-mt-unsafe)
        sorvane::SystemRoot::set(made.root);
        sorvane::SecureFolders::grantAccess(
            sorvane::Url::folder(made.home),
            QString::fromStdString(sorvane::Url(made.home).lastPathComponent()));
        sorvane::SecureFolders::grantAccess(sorvane::Url::folder(made.home + "/Library"),
                                            QStringLiteral("Library"));
        return made;
    }();
    return instance;
}

// Runs the event loop until the condition holds.
void waitFor(const std::function<bool()>& condition) {
    QDeadlineTimer deadline(600000);
    while (!condition() && !deadline.hasExpired()) {
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 50);
    }
}

// Waits for a search the view model started, and the summary that follows it.
void waitForResults(sorvane::MainViewModel& model) {
    waitFor([&] {
        return !model.isSearching() && !model.selectionInfo().isEmpty() &&
               !model.results().isEmpty();
    });
}

void searchAndResultTree(benchmark::State& state) {
    benchHome();
    for (auto _ : state) {
        // A new view model restores both grants and searches at once, then builds the tree.
        sorvane::MainViewModel model;
        waitForResults(model);
        benchmark::DoNotOptimize(model.results().size());
    }
}
BENCHMARK(searchAndResultTree)->Unit(benchmark::kMillisecond)->UseRealTime();

void duHome(benchmark::State& state) {
    const std::string command = "du --apparent-size -s -B1 '" + benchHome().home + "' > /dev/null";
    for (auto _ : state) {
        benchmark::DoNotOptimize(std::system(command.c_str())); // NOLINT(concurrency-mt-unsafe)
    }
}
BENCHMARK(duHome)->Unit(benchmark::kMillisecond)->UseRealTime();

sorvane::MainViewModel& searchedModel() {
    static auto* model = [] {
        benchHome();
        auto* made = new sorvane::MainViewModel; // kept for the whole run
        waitForResults(*made);
        return made;
    }();
    return *model;
}

void selectAllAndSummary(benchmark::State& state) {
    sorvane::MainViewModel& model = searchedModel();
    for (auto _ : state) {
        state.PauseTiming();
        model.unselectAll();
        waitFor([&] { return !model.hasSelection(); });
        const QString before = model.selectionInfo();
        state.ResumeTiming();
        model.selectAll();
        waitFor([&] { return model.hasSelection() && model.selectionInfo() != before; });
    }
}
BENCHMARK(selectAllAndSummary)->Unit(benchmark::kMillisecond)->UseRealTime();

void selectionMeasurement(benchmark::State& state) {
    sorvane::MainViewModel& model = searchedModel();
    model.selectAll();
    waitFor([&] { return model.hasSelection(); });
    for (auto _ : state) {
        benchmark::DoNotOptimize(model.cleaner().selectedSize());
    }
}
BENCHMARK(selectionMeasurement)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace

int main(int argc, char** argv) {
    QCoreApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
