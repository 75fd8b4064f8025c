// The Clean Automatically dialog's view model: it offers the trash and the thumbnails the first
// time, writes nothing until the user confirms, and reads back what it wrote.

#include "ScheduleViewModel.h"
#include "support/Processes.h"
#include "support/TempHome.h"

#include <QAbstractItemModelTester>

#include <cstdlib>
#include <gtest/gtest.h>

using namespace sorvane;
using namespace sorvane::test;

TEST(ScheduleViewModelTest, NothingIsWrittenUntilTheUserConfirms) {
    // No user service manager may be reached from a test.
    unsetenv("DBUS_SESSION_BUS_ADDRESS"); // NOLINT(concurrency-mt-unsafe)
    unsetenv("XDG_RUNTIME_DIR");          // NOLINT(concurrency-mt-unsafe)
    const TempHome home;
    // Nor is systemctl found: how the service manager answers is the CLI tests' part, and a
    // child started from the worker (Qt starts it with vfork) confuses the thread checker.
    const QByteArray path = qgetenv("PATH");
    qputenv("PATH", QByteArray::fromStdString(home.folder("empty-bin")));
    const std::string folder = home.pathOf(".config/systemd/user");
    const std::vector<ScheduleViewModel::Category> categories{
        {"XDG_CACHE", "Caches"}, {"THUMBNAILS", "Thumbnails"}, {"FREEDESKTOP_TRASH", "Trash"}};
    const auto checkedKeys = [](const ScheduleViewModel& model) {
        QStringList keys;
        for (int row = 0; row < model.rowCount(); ++row) {
            if (model.index(row).data(ScheduleViewModel::CheckedRole).toBool()) {
                keys << model.index(row).data(ScheduleViewModel::KeyRole).toString();
            }
        }
        return keys;
    };
    {
        ScheduleViewModel model(categories, "/usr/bin/sorvane-cli", folder);
        QAbstractItemModelTester tester(&model,
                                        QAbstractItemModelTester::FailureReportingMode::Fatal);
        model.load();
        ASSERT_TRUE(waitUntil([&] { return !model.busy(); }));
        EXPECT_EQ(checkedKeys(model), QStringList({"THUMBNAILS", "FREEDESKTOP_TRASH"}));
        EXPECT_EQ(model.olderThanDays(), 30);
        EXPECT_FALSE(model.scheduled());
        model.setChecked(0, true);
        model.setChecked(2, false);
        model.setFrequency(2);
        EXPECT_FALSE(exists(folder)) << "choosing writes nothing";
        model.confirm();
        ASSERT_TRUE(waitUntil([&] { return !model.busy(); }));
        EXPECT_TRUE(model.scheduled());
        EXPECT_TRUE(model.status().contains("systemctl --user enable --now"))
            << model.status().toStdString();
    }
    ScheduleViewModel again(categories, "", folder);
    again.load();
    ASSERT_TRUE(waitUntil([&] { return !again.busy(); }));
    EXPECT_EQ(checkedKeys(again), QStringList({"XDG_CACHE", "THUMBNAILS"}));
    EXPECT_EQ(again.frequency(), 2);
    EXPECT_FALSE(again.canConfirm()) << "without a CLI there is nothing the timer could run";
    again.turnOff();
    ASSERT_TRUE(waitUntil([&] { return !again.busy(); }));
    EXPECT_FALSE(again.scheduled());
    EXPECT_FALSE(exists(folder + "/sorvane-clean.timer"));
    qputenv("PATH", path);
}
