#include <QGuiApplication>

#include <gtest/gtest.h>

int main(int argc, char** argv) {
    // Drawn without a display and without a GPU, as in CI.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    qputenv("QT_QUICK_BACKEND", "software");
    QGuiApplication application(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
