#include "SampleHomeRun.h"

#include <QSettings>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace sorvane;
using test::SampleHomeRun;

namespace {

// Trash records name the home they were trashed from, which differs between runs.
std::vector<std::string> contentsBesidesRecords(const SampleHomeRun& run) {
    auto tree = test::describeTree(run.home().path());
    for (auto& line : tree) {
        if (line.find(".trashinfo|") != std::string::npos) {
            line.erase(line.rfind('|'));
        }
    }
    return tree;
}

long regularFiles(const std::vector<std::string>& tree) {
    return std::count_if(tree.begin(), tree.end(), [](const std::string& line) {
        return line.find("|32768|") != std::string::npos;
    });
}

test::ProcessResult generate(const test::TempHome& home, const QTemporaryDir& root,
                             const QStringList& more) {
    return test::run(QStringLiteral(SORVANE_SAMPLE_HOME),
                     QStringList{QStringLiteral("--home"), QString::fromStdString(home.path()),
                                 QStringLiteral("--root"), root.path() + QStringLiteral("/sys")} +
                         more);
}

} // namespace

TEST(SampleHomeTest, TheTreeDependsOnlyOnTheSeedAndGrowsWithTheFileCount) {
    for (const QString& layout : {QStringLiteral("macos"), QStringLiteral("freedesktop")}) {
        SCOPED_TRACE(layout.toStdString());
        const SampleHomeRun first(11, 600, layout);
        const SampleHomeRun second(11, 600, layout);
        const SampleHomeRun other(12, 600, layout);
        const SampleHomeRun large(11, 5000, layout);
        for (const auto* run : {&first, &second, &other, &large}) {
            ASSERT_EQ(run->generated().exitCode, 0) << run->generated().err;
        }
        const auto homeTree = contentsBesidesRecords(first);
        EXPECT_GT(homeTree.size(), 600U);
        EXPECT_EQ(homeTree, contentsBesidesRecords(second));
        EXPECT_EQ(test::describeTree(first.root()), test::describeTree(second.root()));
        EXPECT_NE(homeTree, contentsBesidesRecords(other));

        EXPECT_NE(large.generated().out.find("5000 files"), std::string::npos)
            << large.generated().out;
        const auto largeFiles = regularFiles(contentsBesidesRecords(large));
        EXPECT_GT(largeFiles, 4500);
        EXPECT_GT(largeFiles, 5 * regularFiles(homeTree));
    }
}

TEST(SampleHomeTest, StoresBothFolderGrantsWhenAskedAndNeverWritesIntoAFullFolder) {
    QTemporaryDir config;
    QTemporaryDir root;
    ASSERT_TRUE(config.isValid() && root.isValid());
    const QByteArray previous = qgetenv("XDG_CONFIG_HOME");
    qputenv("XDG_CONFIG_HOME", config.path().toUtf8());
    test::TempHome home;
    const auto result = generate(
        home, root, {QStringLiteral("--files"), QStringLiteral("200"), QStringLiteral("--grants")});
    qputenv("XDG_CONFIG_HOME", previous);
    ASSERT_EQ(result.exitCode, 0) << result.err;
    const QSettings stored(config.path() + QStringLiteral("/Sorvane/Sorvane.conf"),
                           QSettings::IniFormat);
    const QString homePath = QString::fromStdString(home.path());
    EXPECT_EQ(stored.value(homePath.section(QLatin1Char('/'), -1)).toString(), homePath);
    EXPECT_EQ(stored.value(QStringLiteral("Library")).toString(),
              homePath + QStringLiteral("/Library"));

    // A second run into the same, now full, home refuses with one line and adds nothing.
    const auto before = test::describeTree(home.path());
    const auto again = generate(home, root, {});
    EXPECT_EQ(again.exitCode, 2);
    EXPECT_EQ(std::count(again.err.begin(), again.err.end(), '\n'), 1) << again.err;
    EXPECT_EQ(test::describeTree(home.path()), before);
}
