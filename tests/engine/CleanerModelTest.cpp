#include "engine/CleanerDetail.h"
#include "engine/CleanerItem.h"
#include "engine/CleanerResult.h"
#include "platform/Path.h"
#include "support/TempHome.h"

#include <gtest/gtest.h>

using namespace sorvane;
using test::TempHome;

TEST(CleanerModelTest, SeveritiesAndCounts) {
    EXPECT_EQ(cleanerSeverityFromRawValue(0), CleanerSeverity::low);
    EXPECT_EQ(cleanerSeverityFromRawValue(3), CleanerSeverity::critical);
    EXPECT_FALSE(cleanerSeverityFromRawValue(4).has_value());
    EXPECT_FALSE(cleanerSeverityFromRawValue(-1).has_value());

    CleanerItem plain(Url("/nothing/here"), std::nullopt);
    EXPECT_EQ(plain.name(), QStringLiteral("here"));
    EXPECT_EQ(plain.severity(), CleanerSeverity::low);
    EXPECT_EQ(plain.count(), 1);

    CleanerItem detailed(QStringLiteral("with details"), std::nullopt, nullptr, std::nullopt);
    detailed.addDetail(std::make_shared<CleanerDetail>(QStringLiteral("five"),
                                                       CleanerSeverity::medium, 5, nullptr));
    detailed.addDetail(std::make_shared<CleanerDetail>(
        QStringLiteral("one"), QStringLiteral("text"), CleanerSeverity::critical, nullptr));
    detailed.addDetail(
        std::make_shared<CleanerDetail>(QStringLiteral("zero"), CleanerSeverity::low, 0, nullptr));
    EXPECT_EQ(detailed.count(), 6);
    EXPECT_EQ(detailed.severity(), CleanerSeverity::critical);
    detailed.setCustomSeverity(CleanerSeverity::low);
    EXPECT_EQ(detailed.severity(), CleanerSeverity::low);

    CleanerResult empty(QStringLiteral("Empty"), nullptr, std::nullopt, std::nullopt);
    EXPECT_TRUE(empty.isEmpty());
    EXPECT_EQ(empty.count(), 0);
    EXPECT_EQ(empty.size(), 0U);
    EXPECT_EQ(empty.severity(), CleanerSeverity::low);
    EXPECT_EQ(empty.detail(), QString());

    CleanerResult mixed(QStringLiteral("Mixed"), nullptr, QStringLiteral("org.sample"),
                        std::nullopt);
    auto medium = std::make_shared<CleanerItem>(Url("/a"), CleanerSeverity::medium);
    auto high = std::make_shared<CleanerItem>(Url("/b"), CleanerSeverity::high);
    mixed.add(medium);
    mixed.add(high);
    EXPECT_EQ(mixed.severity(), CleanerSeverity::high);
    EXPECT_EQ(mixed.count(), 2);
    mixed.removeItem(2);
    EXPECT_EQ(mixed.items().size(), 2U);
    mixed.removeItem(0);
    EXPECT_EQ(mixed.items().front(), high);
}

TEST(CleanerModelTest, SizesAreMeasuredAfreshFromTheFileSystem) {
    TempHome home;
    home.file("main/a", 1000);
    home.file("main/b/c", 24);
    home.file("extra", 5);

    CleanerItem item(QStringLiteral("group"), std::vector<Url>{home.url("extra"), home.url("gone")},
                     std::nullopt, nullptr);
    EXPECT_EQ(item.size(), 5U);
    item.setUrl(home.url("main", true));
    EXPECT_EQ(item.size(), 1029U);
    EXPECT_EQ(item.detail(), QStringLiteral("1 KB"));
    EXPECT_EQ(item.selectedSize(), 0U);
    item.toggleSelection();
    EXPECT_EQ(item.selectedSize(), 1029U);
    home.file("main/a", 10);
    EXPECT_EQ(item.size(), 39U) << "no size is remembered";

    CleanerItem nothing(QStringLiteral("nothing"), std::nullopt, nullptr, std::nullopt);
    EXPECT_EQ(nothing.size(), 0U);
    EXPECT_EQ(nothing.detail(), QStringLiteral("0 B"));
    EXPECT_EQ(nothing.displayIcon(), nullptr);

    CleanerResult result(QStringLiteral("R"), nullptr, std::nullopt, std::nullopt);
    result.addIfExists(home.url("missing"), QStringLiteral("never"), {home.url("extra")});
    EXPECT_TRUE(result.isEmpty());
    result.addIfExists(home.url("main", true), QStringLiteral("Renamed"),
                       {home.url("gone"), home.url("extra")});
    ASSERT_EQ(result.items().size(), 1U);
    EXPECT_EQ(result.items()[0]->name(), QStringLiteral("Renamed"));
    EXPECT_EQ(result.items()[0]->suburls(), std::vector<Url>{home.url("extra")});
    result.addIfExists(home.url("extra"), makeImage(Icon::Kind::symbol, "iphone"), std::nullopt);
    ASSERT_EQ(result.items().size(), 2U);
    EXPECT_EQ(result.items()[1]->name(), QStringLiteral("extra"));
    EXPECT_TRUE(
        sameImage(result.items()[1]->displayIcon(), makeImage(Icon::Kind::symbol, "iphone")));
    EXPECT_TRUE(sameImage(result.items()[0]->displayIcon(), Path::icon(home.pathOf("main"))));

    EXPECT_EQ(result.size(), 44U);
    EXPECT_EQ(result.selectedSize(), 0U);
    result.items()[1]->setSelected(true);
    EXPECT_EQ(result.selectedSize(), 5U);
    EXPECT_EQ(result.selectedCount(), 1);
}

TEST(CleanerModelTest, DeletabilityNeverCoversApplicationBundles) {
    TempHome home;
    home.folder("Old.app/Contents");
    home.file("junk", 1);
    EXPECT_FALSE(CleanerItem(home.url("Old.app", true), std::nullopt).isDeletable());
    EXPECT_TRUE(CleanerItem(home.url("junk"), std::nullopt).isDeletable());
    EXPECT_FALSE(CleanerItem(home.url("missing"), std::nullopt).isDeletable());
    EXPECT_FALSE(CleanerItem(Url("/"), std::nullopt).isDeletable());
    EXPECT_FALSE(
        CleanerItem(QStringLiteral("no url"), std::nullopt, nullptr, std::nullopt).isDeletable());

    CleanerResult result(QStringLiteral("R"), nullptr, std::nullopt, std::nullopt);
    result.add(home.url("Old.app", true));
    EXPECT_FALSE(result.hasDeletableItems());
    result.add(home.url("junk"));
    EXPECT_TRUE(result.hasDeletableItems());
}
