// Opening a category of 50,000 items in the real window (offscreen, software drawing) and
// scrolling it from end to end: how long the expansion takes until its frame is drawn, and how
// many row delegates exist at once (only the visible rows and a small margin should).

#include "MainViewModel.h"
#include "ResultListModel.h"
#include "SorvaneWindow.h"
#include "ViewModels.h"
#include "platform/desktop/SecureFolders.h"
#include "platform/desktop/UserDefaults.h"
#include "platform/places/SystemRoot.h"

#include <QDeadlineTimer>
#include <QElapsedTimer>
#include <QGuiApplication>
#include <QQuickItem>
#include <QQuickWindow>
#include <QTemporaryDir>

#include <cstdio>
#include <fcntl.h>
#include <functional>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

using namespace sorvane;

namespace {

constexpr int itemCount = 50000;

void waitFor(const std::function<bool()>& condition, int ms = 600000) {
    QDeadlineTimer deadline(ms);
    while (!condition() && !deadline.hasExpired()) {
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 5);
    }
}

// The row delegates alive below the list.
int delegates(QQuickItem* item) {
    int count = item->objectName().startsWith(QStringLiteral("row")) ? 1 : 0;
    for (QQuickItem* child : item->childItems()) {
        count += delegates(child);
    }
    return count;
}

QQuickItem* findList(QQuickItem* item) {
    if (item->objectName() == QStringLiteral("resultList")) {
        return item;
    }
    for (QQuickItem* child : item->childItems()) {
        if (QQuickItem* found = findList(child)) {
            return found;
        }
    }
    return nullptr;
}

} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    qputenv("QT_QUICK_BACKEND", "software");
    QGuiApplication application(argc, argv);
    QTemporaryDir home(QStringLiteral("/tmp/sorvane-expand-XXXXXX"));
    const std::string path = home.path().toStdString();
    mkdir((path + "/Library").c_str(), 0755);
    mkdir((path + "/Library/.Trash").c_str(), 0755);
    for (int i = 0; i < itemCount; ++i) {
        const std::string name = path + "/Library/.Trash/file-" + std::to_string(i);
        close(open(name.c_str(), O_CREAT | O_WRONLY, 0644));
    }
    const QTemporaryDir root;
    const QTemporaryDir settings;
    UserDefaults::useFile(settings.filePath(QStringLiteral("Sorvane.conf")));
    setenv("HOME", path.c_str(), 1); // NOLINT(concurrency-mt-unsafe)
    SystemRoot::set(root.path().toStdString());
    SecureFolders::grantAccess(Url::folder(path),
                               QString::fromStdString(Url(path).lastPathComponent()));
    SecureFolders::grantAccess(Url::folder(path + "/Library"), QStringLiteral("Library"));

    SorvaneWindow window;
    ResultListModel& list = *window.viewModels().results();
    waitFor([&] { return !window.mainViewModel().isSearching() && list.rowCount() > 0; });
    QQuickItem* view = findList(window.window()->contentItem());
    if (view == nullptr) {
        std::puts("the results list was not found");
        return 1;
    }
    waitFor([] { return false; }, 500);

    bool drawn = false;
    QObject::connect(window.window(), &QQuickWindow::frameSwapped, [&] { drawn = true; });
    QElapsedTimer clock;
    clock.start();
    drawn = false;
    list.toggleExpanded(0);
    const double modelMs = static_cast<double>(clock.nsecsElapsed()) / 1e6;
    window.window()->requestUpdate();
    waitFor([&] { return drawn; }, 60000);
    const double expandMs = static_cast<double>(clock.nsecsElapsed()) / 1e6;
    int most = delegates(view);

    // Scroll from end to end, a screen at a time, counting the delegates alive at each stop.
    const double height = view->height();
    const double end = view->property("contentHeight").toDouble();
    int stops = 0;
    for (double y = 0; y < end; y += height * 20) {
        view->setProperty("contentY", y);
        waitFor([] { return false; }, 5);
        most = std::max(most, delegates(view));
        ++stops;
    }
    QMetaObject::invokeMethod(view, "positionViewAtEnd");
    waitFor([] { return false; }, 50);
    most = std::max(most, delegates(view));

    std::printf("rows in the list after expanding        %d\n", list.rowCount());
    std::printf("expanding a 50,000-item category        %.1f ms (until its frame is drawn)\n",
                expandMs);
    std::printf("of which the list model and the view's bookkeeping %.1f ms\n", modelMs);
    std::printf("most row delegates alive while scrolling %d (over %d stops)\n", most, stops + 1);
    return 0;
}
