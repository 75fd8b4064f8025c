// How long the main thread stops answering while the user works with a large home: a
// heartbeat timer on the main thread records the longest gap between its beats during a search
// and the result tree, Select All and its summary, one click with everything selected, and a
// filter typed while a search runs. The goal is no gap above 50 ms.
//
// The home and system root come from SORVANE_BENCH_HOME and SORVANE_BENCH_ROOT (bench/ratios.sh
// makes a 1,000,000-entry sample); without them a 100,000-file sample is generated for the run.

#include "MainViewModel.h"
#include "ResultViewModel.h"
#include "platform/desktop/SecureFolders.h"
#include "platform/desktop/UserDefaults.h"
#include "platform/places/SystemRoot.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QElapsedTimer>
#include <QProcess>
#include <QTemporaryDir>
#include <QTimer>

#include <cstdio>
#include <cstdlib>
#include <functional>
#include <memory>
#include <string>

using namespace sorvane;

namespace {

// Beats every millisecond on the main thread and keeps the longest time between two beats.
class Heartbeat {
public:
    Heartbeat() {
        QObject::connect(&timer_, &QTimer::timeout, [this] {
            const qint64 now = clock_.nsecsElapsed();
            longest_ = std::max(longest_, now - last_);
            last_ = now;
        });
        timer_.setTimerType(Qt::PreciseTimer);
    }
    void start() {
        longest_ = 0;
        clock_.start();
        last_ = 0;
        timer_.start(1);
    }
    // The longest stall since start(), in milliseconds.
    double stop() {
        timer_.stop();
        return static_cast<double>(std::max(longest_, clock_.nsecsElapsed() - last_)) / 1e6;
    }

private:
    QTimer timer_;
    QElapsedTimer clock_;
    qint64 last_ = 0;
    qint64 longest_ = 0;
};

void waitFor(const std::function<bool()>& condition) {
    QDeadlineTimer deadline(1800000);
    while (!condition() && !deadline.hasExpired()) {
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 5);
    }
}

void settle(int ms) {
    QDeadlineTimer deadline(ms);
    while (!deadline.hasExpired()) {
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 5);
    }
}

std::int64_t itemCount(const MainViewModel& model) {
    std::int64_t count = 0;
    for (const auto& category : model.allResults()) {
        count += category->children().size();
    }
    return count;
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication application(argc, argv);
    std::string home;
    std::string root;
    QTemporaryDir generatedHome(QStringLiteral("/tmp/sorvane-stall-XXXXXX"));
    QTemporaryDir generatedRoot(QStringLiteral("/tmp/sorvane-stall-root-XXXXXX"));
    if (const char* given = std::getenv("SORVANE_BENCH_HOME")) { // NOLINT(concurrency-mt-unsafe)
        home = given;
        root = std::getenv("SORVANE_BENCH_ROOT"); // NOLINT(concurrency-mt-unsafe)
    } else {
        home = generatedHome.path().toStdString();
        root = generatedRoot.path().toStdString();
        QProcess::execute(QStringLiteral(SORVANE_SAMPLE_HOME),
                          {QStringLiteral("--home"), QString::fromStdString(home),
                           QStringLiteral("--root"), QString::fromStdString(root),
                           QStringLiteral("--files"), QStringLiteral("100000")});
    }
    const QTemporaryDir settings;
    UserDefaults::useFile(settings.filePath(QStringLiteral("Sorvane.conf")));
    setenv("HOME", home.c_str(), 1); // NOLINT(concurrency-mt-unsafe)
    SystemRoot::set(root);
    SecureFolders::grantAccess(Url::folder(home),
                               QString::fromStdString(Url(home).lastPathComponent()));
    SecureFolders::grantAccess(Url::folder(home + "/Library"), QStringLiteral("Library"));

    Heartbeat heartbeat;
    // Building the categories looks up application icons: part of the launch, before the window
    // shows, and reported on its own.
    QElapsedTimer launch;
    launch.start();
    MainViewModel model; // restores both grants and searches at once
    const double construction = static_cast<double>(launch.nsecsElapsed()) / 1e6;
    heartbeat.start();
    waitFor([&] { return !model.isSearching() && !model.results().isEmpty(); });
    settle(200);
    const double search = heartbeat.stop();

    heartbeat.start();
    model.selectAll();
    waitFor([&] { return model.hasSelection(); });
    settle(200);
    const double selectAll = heartbeat.stop();

    heartbeat.start();
    model.results().front()->children().front()->toggle();
    model.updateSelection();
    settle(200);
    const double click = heartbeat.stop();

    // A new search, and a filter typed into it letter by letter.
    heartbeat.start();
    model.cleaner().startSearch();
    waitFor([&] { return model.isSearching(); });
    const QString typed = QStringLiteral("cache");
    for (int i = 1; i <= typed.size(); ++i) {
        model.filter(typed.left(i));
        settle(30);
    }
    waitFor([&] { return !model.isSearching(); });
    settle(200);
    const double typing = heartbeat.stop();

    std::printf("home with %lld items found\n", static_cast<long long>(itemCount(model)));
    std::printf("%-48s %8.1f ms\n", "launch: the view model and its categories", construction);
    std::printf("%-48s %8.1f ms\n", "longest stall: search and result tree", search);
    std::printf("%-48s %8.1f ms\n", "longest stall: Select All and its summary", selectAll);
    std::printf("%-48s %8.1f ms\n", "longest stall: one click, everything selected", click);
    std::printf("%-48s %8.1f ms\n", "longest stall: typing a filter during a search", typing);
    return 0;
}
