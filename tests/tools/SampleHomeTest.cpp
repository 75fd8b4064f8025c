#include "SampleHomeRun.h"

#include <QJsonArray>
#include <QSettings>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace sorvane;
using test::SampleHomeRun;

TEST(SampleHomeTest, SameSeedGivesTheSameTreeAndAnotherSeedAnother) {
    for (const QString layout : {QStringLiteral("macos"), QStringLiteral("freedesktop")}) {
        SCOPED_TRACE(layout.toStdString());
        const SampleHomeRun first(11, 600, layout);
        const SampleHomeRun second(11, 600, layout);
        const SampleHomeRun other(12, 600, layout);
        ASSERT_EQ(first.generated().exitCode, 0) << first.generated().err;
        ASSERT_EQ(second.generated().exitCode, 0) << second.generated().err;
        ASSERT_EQ(other.generated().exitCode, 0) << other.generated().err;

        // Trash records name the home they were trashed from, which differs between the runs.
        const auto contentsBesidesRecords = [](const SampleHomeRun& run) {
            auto tree = test::describeTree(run.home().path());
            for (auto& line : tree) {
                if (line.find(".trashinfo|") != std::string::npos) {
                    line.erase(line.rfind('|'));
                }
            }
            return tree;
        };
        const auto homeTree = contentsBesidesRecords(first);
        EXPECT_GT(homeTree.size(), 600U);
        EXPECT_EQ(homeTree, contentsBesidesRecords(second));
        EXPECT_EQ(test::describeTree(first.root()), test::describeTree(second.root()));
        EXPECT_NE(homeTree, contentsBesidesRecords(other));
    }
}

TEST(SampleHomeTest, ScaleSetsTheFileCountAndKeepsTheShape) {
    const SampleHomeRun small(3, 300);
    const SampleHomeRun large(3, 5000);
    ASSERT_EQ(large.generated().exitCode, 0) << large.generated().err;
    EXPECT_NE(large.generated().out.find("5000 files"), std::string::npos) << large.generated().out;
    const auto count = [](const std::vector<std::string>& tree) {
        return std::count_if(tree.begin(), tree.end(), [](const std::string& line) {
            return line.find("|32768|") != std::string::npos; // regular files
        });
    };
    const auto largeFiles = count(test::describeTree(large.home().path()));
    EXPECT_GT(largeFiles, 4500);
    EXPECT_GT(largeFiles, 5 * count(test::describeTree(small.home().path())));
}

TEST(SampleHomeTest, EveryCategoryFindsSomething) {
    const SampleHomeRun run;
    ASSERT_EQ(run.generated().exitCode, 0) << run.generated().err;
    const auto scan = test::runCli(run, {QStringLiteral("scan"), QStringLiteral("--json")});
    ASSERT_EQ(scan.exitCode, 0) << scan.err;
    const QJsonArray categories = test::parseJson(scan.out).value("categories").toArray();
    ASSERT_EQ(categories.size(), 19);
    for (const auto& category : categories) {
        const auto object = category.toObject();
        EXPECT_FALSE(object.value("items").toArray().isEmpty())
            << object.value("key").toString().toStdString();
        EXPECT_GT(object.value("size").toInteger(), 0)
            << object.value("key").toString().toStdString();
    }
}

TEST(SampleHomeTest, StoresBothFolderGrantsWhenAsked) {
    QTemporaryDir config;
    ASSERT_TRUE(config.isValid());
    const QByteArray previous = qgetenv("XDG_CONFIG_HOME");
    qputenv("XDG_CONFIG_HOME", config.path().toUtf8());
    test::TempHome home;
    QTemporaryDir root;
    const auto result =
        test::run(QStringLiteral(SORVANE_SAMPLE_HOME),
                  {QStringLiteral("--home"), QString::fromStdString(home.path()),
                   QStringLiteral("--root"), root.path() + QStringLiteral("/sys"),
                   QStringLiteral("--files"), QStringLiteral("200"), QStringLiteral("--grants")});
    qputenv("XDG_CONFIG_HOME", previous);
    ASSERT_EQ(result.exitCode, 0) << result.err;
    const QSettings stored(config.path() + QStringLiteral("/Sorvane/Sorvane.conf"),
                           QSettings::IniFormat);
    const QString homePath = QString::fromStdString(home.path());
    EXPECT_EQ(stored.value(homePath.section(QLatin1Char('/'), -1)).toString(), homePath);
    EXPECT_EQ(stored.value(QStringLiteral("Library")).toString(),
              homePath + QStringLiteral("/Library"));
}

TEST(SampleHomeTest, RefusesToWriteIntoAFolderThatHoldsSomething) {
    test::TempHome home;
    home.file("precious.txt", 5);
    QTemporaryDir root;
    const auto result = test::run(QStringLiteral(SORVANE_SAMPLE_HOME),
                                  {QStringLiteral("--home"), QString::fromStdString(home.path()),
                                   QStringLiteral("--root"), root.path() + QStringLiteral("/sys")});
    EXPECT_EQ(result.exitCode, 2);
    EXPECT_EQ(std::count(result.err.begin(), result.err.end(), '\n'), 1) << result.err;
    EXPECT_EQ(test::describeTree(home.path()).size(), 1U);
}
