#include "engine/DiskCleaner.h"
#include "finders/freedesktop/FreedesktopCategories.h"
#include "support/FreedesktopHome.h"
#include "support/Processes.h"

#include <QCoreApplication>

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>

using namespace sorvane;

namespace {

// Last read and last written so many hours ago, a link by its own times.
void age(const std::string& path, int readHoursAgo, int writtenHoursAgo) {
    const auto ago = [](int hours) { return timespec{time(nullptr) - hours * 3600L, 0}; };
    const timespec times[2] = {ago(readHoursAgo), ago(writtenHoursAgo)};
    ASSERT_EQ(utimensat(AT_FDCWD, path.c_str(), times, AT_SYMLINK_NOFOLLOW), 0) << path;
}

struct Searching : DiskCleanerDelegate {
    void cleanerDidStartSearch() override {}
    void cleanerDidUpdateSelectedSize(std::uint64_t /*size*/) override {}
    void cleanerWillSearchCategory(const std::shared_ptr<CleanerResult>& /*result*/) override {}
    void cleanerDidUpdateProgress(float /*progress*/) override {}
    void cleanerDidStartCleaning() override {}
    void cleanerDidFinishSearch() override { searched = true; }
    void cleanerDidFinishCleaning() override { cleaned = true; }
    bool searched = false;
    bool cleaned = false;
};

constexpr int day = 24;
constexpr int old = 30 * day + 1;   // just over the 30 days
constexpr int young = 30 * day - 1; // just under

} // namespace

// One freedesktop home searched and cleaned with a limit of 30 days: every row a location, its
// times, and whether the cleaning leaves it.
TEST(AgeLimitTest, OnlyWhatIsOldIsOfferedMeasuredAndRemoved) {
    test::FreedesktopHome fd;
    const std::string trash = ".local/share/Trash/";
    const auto record = [&](const std::string& name, const std::string& date) {
        return trash + "info/" + name + ".trashinfo = [Trash Info]\nPath=/x\n" + date + "\n";
    };
    fd.build({".cache/app/sub/deep/", ".cache/app/hold/", ".cache/recent/", trash + "files/",
              record("gone", "DeletionDate=2020-01-01T10:00:00"), record("nodate", ""),
              record("bad", "DeletionDate=2020-13-45T10:00:00"),
              record("future", "DeletionDate=2999-01-01T10:00:00"),
              record("lately", "DeletionDate=" + QDateTime::currentDateTime()
                                                     .addDays(-1)
                                                     .toString("yyyy-MM-ddTHH:mm:ss")
                                                     .toStdString()),
              ".cache/JetBrains/Idea2020.1/x", ".cache/JetBrains/Idea2020.1/y",
              ".cache/JetBrains/Rider2020.1/x", ".cache/JetBrains/Rider2020.1/y",
              ".cache/JetBrains/Idea2024.1/", ".cache/JetBrains/Rider2024.1/"});
    const struct Row {
        std::string path;
        int readHoursAgo;
        int writtenHoursAgo;
        bool stays;
    } rows[] = {
        {".cache/app/old", old, old, false},
        {".cache/app/read-lately", young, old, true},
        {".cache/app/written-lately", old, young, true},
        {".cache/app/sub/deep/old", old, old, false},
        {".cache/app/sub/deep", 0, 0, false}, // emptied by the cleaning
        {".cache/app/hold/young", young, young, true},
        {".cache/app/hold", 0, 0, true},
        {".cache/app/link -> nowhere", old, old, false},
        {".cache/app/old-empty/", old, old, false},
        {".cache/app/just-made/", 0, 0, true}, // empty, but not emptied by the cleaning
        {".cache/app", 0, 0, true},            // the item's own folder
        {".cache/recent/young", young, young, true},
        {trash + "files/gone", 0, 0, false},
        {trash + "info/gone.trashinfo", 0, 0, false},
        {trash + "files/nodate", old, old, true},
        {trash + "files/bad", old, old, true},
        {trash + "files/future", old, old, true},
        {trash + "files/lately", old, old, true},
        {".cache/JetBrains/Idea2020.1/x", old, old, false},
        {".cache/JetBrains/Idea2020.1", 0, 0, false}, // an old unit goes whole
        {".cache/JetBrains/Rider2020.1/x", old, old, true},
        {".cache/JetBrains/Rider2020.1/y", young, young, true},
    };
    for (const Row& row : rows) {
        const std::string path = row.path.substr(0, row.path.find(" -> "));
        if (row.path.find(" -> ") != std::string::npos || !test::exists(fd.home.pathOf(path))) {
            fd.build({row.path});
        }
        if (row.readHoursAgo > 0) {
            age(fd.home.pathOf(path), row.readHoursAgo, row.writtenHoursAgo);
        }
    }
    age(fd.home.pathOf(".cache/JetBrains/Idea2020.1/y"), old, old);
    CategoryList chosen;
    for (const auto& category : freedesktopCategories()) {
        const std::string key = category->key();
        if (key == "XDG_CACHE" || key == "FREEDESKTOP_TRASH" || key == "OLD_VERSIONS") {
            chosen.push_back(category);
        }
    }
    const auto engine = DiskCleaner::create(chosen);
    const auto delegate = std::make_shared<Searching>();
    engine->setDelegate(delegate);
    engine->setOlderThanDays(30);
    ASSERT_TRUE(engine->startSearch().isStarted());
    ASSERT_TRUE(test::waitUntil([&] { return delegate->searched; }));

    std::vector<std::string> offered;
    for (const auto& category : chosen) {
        for (const auto& item : category->result()->items()) {
            offered.push_back(item->name().toStdString() + " " +
                              std::to_string(item->measuredSize()));
            item->setSelected(true);
        }
    }
    // Ten bytes a file; the link as long as what it holds, the trashed file with its record.
    const std::size_t recordSize = record("gone", "DeletionDate=2020-01-01T10:00:00").size() -
                                   (trash + "info/gone.trashinfo = ").size();
    EXPECT_EQ(offered, (std::vector<std::string>{
                           "app 27", "gone " + std::to_string(10 + recordSize), "Idea2020.1 20"}));
    ASSERT_TRUE(engine->startCleaning().isStarted());
    ASSERT_TRUE(test::waitUntil([&] { return delegate->cleaned; }));
    for (const Row& row : rows) {
        const std::string path = row.path.substr(0, row.path.find(" -> "));
        EXPECT_EQ(test::exists(fd.home.pathOf(path)), row.stays) << path;
    }
}
