#include "platform/places/Layout.h"

#include <QCoreApplication>

#include <gtest/gtest.h>

int main(int argc, char** argv) {
    // The engine hands its reports to the main thread's event loop, which needs an application.
    QCoreApplication application(argc, argv);
    // Most fixture homes are macOS homes; tests of the freedesktop layout choose it themselves,
    // so that no test depends on which home happened to decide the layout first.
    sorvane::Layout::choose(sorvane::LayoutKind::macos);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
