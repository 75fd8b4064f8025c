// The cost of one running-application check: what the main thread pays per tick, and what a full
// reading of /proc costs the thread that does it.

#include "platform/desktop/RunningApplications.h"

#include <benchmark/benchmark.h>

#include <QProcess>

#include <memory>
#include <vector>

namespace {

void runningApplicationsTick(benchmark::State& state) {
    // Extra processes so that the tick sees a few hundred, as on a desktop.
    std::vector<std::unique_ptr<QProcess>> sleepers;
    for (int i = 0; i < state.range(0); ++i) {
        auto process = std::make_unique<QProcess>();
        process->start(QStringLiteral("sleep"), {QStringLiteral("60")});
        sleepers.push_back(std::move(process));
    }
    for (auto& process : sleepers) {
        process->waitForStarted();
    }
    sorvane::RunningApplications running;
    running.latest();
    const bool onMainThread = state.range(1) != 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(onMainThread ? running.latest() : running.readNow());
    }
    for (auto& process : sleepers) {
        process->kill();
        process->waitForFinished();
    }
}
BENCHMARK(runningApplicationsTick)
    ->ArgsProduct({{300}, {1, 0}})
    ->ArgNames({"extraProcesses", "mainThreadTick"})
    ->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();
