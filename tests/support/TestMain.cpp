#include <QCoreApplication>

#include <gtest/gtest.h>

int main(int argc, char** argv) {
    // The engine hands its reports to the main thread's event loop, which needs an application.
    QCoreApplication application(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
