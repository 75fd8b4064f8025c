#include "ResultViewModel.h"
#include "platform/Path.h"
#include "support/TempHome.h"

#include <filesystem>

#include <gtest/gtest.h>

using namespace sorvane;

namespace {

class FixedCategory final : public IDiskCleanerCategory {
public:
    explicit FixedCategory(const std::vector<Url>& urls)
        : result_(std::make_shared<CleanerResult>(QStringLiteral("Fixed"), nullptr, std::nullopt,
                                                  std::nullopt)) {
        for (const auto& url : urls) {
            result_->add(url);
        }
    }
    std::shared_ptr<CleanerResult> result() const override { return result_; }
    Image icon() const override { return nullptr; }
    std::optional<QString> bundleIdentifier() const override {
        return QStringLiteral("org.sample.Fixed");
    }
    void search() override {}

private:
    std::shared_ptr<CleanerResult> result_;
};

std::vector<bool> engineSelection(const FixedCategory& category) {
    std::vector<bool> selected;
    for (const auto& item : category.result()->items()) {
        selected.push_back(item->selected());
    }
    return selected;
}

// What a cleaning would delete: the engine's items once the tree has handed its selection over.
std::vector<bool> handedOver(const ResultViewModel& node, const FixedCategory& category) {
    for (const ResultViewModel* item : node.children()) {
        item->handOverSelection();
    }
    return engineSelection(category);
}

} // namespace

TEST(ResultViewModelTest, TriStateClicksReachTheEngineOnlyWhenHandedOver) {
    test::TempHome home;
    const FixedCategory category({home.url("a"), home.url("b"), home.url("c")});
    ResultViewModel node(category);
    ASSERT_EQ(node.children().size(), 3);
    EXPECT_EQ(node.isSelected(), false);
    EXPECT_EQ(node.checkState(), Qt::Unchecked);

    int notifications = 0;
    QObject::connect(&node, &ResultViewModel::isSelectedChanged, [&] { ++notifications; });

    node.toggle(); // none selected: all become selected
    EXPECT_EQ(node.isSelected(), true);
    EXPECT_EQ(engineSelection(category), (std::vector<bool>{false, false, false}))
        << "a click changes only the tree";
    EXPECT_EQ(handedOver(node, category), (std::vector<bool>{true, true, true}));
    EXPECT_GT(notifications, 0);

    node.children()[1]->toggle(); // one item of a full category: mixed
    EXPECT_EQ(node.isSelected(), std::nullopt);
    EXPECT_EQ(node.checkState(), Qt::PartiallyChecked);
    EXPECT_EQ(handedOver(node, category), (std::vector<bool>{true, false, true}));

    node.toggle(); // mixed becomes unselected, not selected
    EXPECT_EQ(node.isSelected(), false);
    EXPECT_EQ(handedOver(node, category), (std::vector<bool>{false, false, false}));

    node.toggle();
    node.toggle(); // all selected: all become unselected
    EXPECT_EQ(node.isSelected(), false);
    EXPECT_EQ(handedOver(node, category), (std::vector<bool>{false, false, false}));

    // Selecting the last unselected item by hand makes the category whole again.
    for (ResultViewModel* item : node.children()) {
        item->toggle();
    }
    EXPECT_EQ(node.isSelected(), true);
}

// While a filter hides some items, a click on the category reaches only the shown ones: hidden
// items keep their selection whether the click selects or clears.
TEST(ResultViewModelTest, ACategoryClickLeavesHiddenItemsAlone) {
    struct Case {
        const char* what;
        std::vector<bool> before;
        std::vector<int> shown;
        std::vector<bool> after;
        std::optional<bool> state; // the category's state after the click
    };
    const std::vector<Case> cases{
        {"selects the shown", {false, false, false}, {0}, {true, false, false}, true},
        {"clears the shown", {true, false, true}, {0}, {false, false, true}, false},
        {"clears a mixed shown set", {true, false, true}, {0, 1}, {false, false, true}, false},
        {"selects beside a hidden selection",
         {false, false, true},
         {0, 1},
         {true, true, true},
         true},
        {"clears beside a hidden clear item",
         {true, false, true},
         {0, 2},
         {false, false, false},
         false},
    };
    test::TempHome home;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const FixedCategory category({home.url("a"), home.url("b"), home.url("c")});
        ResultViewModel node(category);
        ASSERT_EQ(node.children().size(), 3);
        QList<ResultViewModel*> shown;
        for (std::size_t i = 0; i < c.before.size(); ++i) {
            node.children()[static_cast<qsizetype>(i)]->setSelected(c.before[i]);
        }
        for (const int index : c.shown) {
            shown.append(node.children()[index]);
        }
        node.setShownChildren(shown);
        node.updateState();
        node.toggle();
        EXPECT_EQ(handedOver(node, category), c.after);
        EXPECT_EQ(node.isSelected(), c.state);
    }
}

TEST(ResultViewModelTest, NodesCaptureSizesOnceAndAreAlwaysNew) {
    test::TempHome home;
    home.file("a", 1000);
    home.file("b/c", 24);
    const FixedCategory category({home.url("a"), home.url("b", true), home.url("missing")});
    category.result()->items()[1]->setSelected(true);
    // The engine measures each item during the search; nodes take those sizes.
    for (const auto& item : category.result()->items()) {
        item->measure();
    }
    ResultViewModel first(category);
    ResultViewModel second(category);
    ASSERT_EQ(first.children().size(), 3);
    EXPECT_NE(first.id(), second.id());
    EXPECT_EQ(first.size(), 1024U);
    EXPECT_EQ(first.children()[0]->size(), 1000U);
    EXPECT_EQ(first.children()[2]->size(), 0U);
    EXPECT_EQ(first.isSelected(), std::nullopt) << "one of three items selected";
    EXPECT_EQ(first.children()[1]->isSelected(), true);
    EXPECT_EQ(first.bundleIdentifier(), QStringLiteral("org.sample.Fixed"));
    EXPECT_EQ(first.children()[0]->parentNode(), &first);
    EXPECT_FALSE(first.children()[0]->bundleIdentifier().has_value());
    EXPECT_TRUE(sameImage(first.children()[0]->icon(), Path::icon(home.pathOf("a"))));

    std::filesystem::remove(home.pathOf("a"));
    EXPECT_EQ(first.children()[0]->size(), 1000U)
        << "a node's size is captured, not measured again";

    const FixedCategory empty({});
    ResultViewModel none(empty);
    EXPECT_EQ(none.isSelected(), true) << "a category without items reads as selected";
}
