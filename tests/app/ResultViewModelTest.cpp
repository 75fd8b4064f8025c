#include "ResultViewModel.h"
#include "finders/CategoryFinder.h"
#include "support/TempHome.h"

#include <cstring>
#include <filesystem>

#include <gtest/gtest.h>

using namespace sorvane;

namespace {

// A category of the given locations, found once.
class FixedCategory final : public CategoryFinder {
public:
    explicit FixedCategory(const std::vector<Url>& urls)
        : CategoryFinder("MAPS_CACHE", nullptr, std::nullopt) {
        for (const auto& url : urls) {
            found().add(url);
        }
    }
    void search() override {}
};

// The engine's items' selection, one '1' or '0' per item.
std::string engineSelection(const FixedCategory& category) {
    std::string selected;
    for (const auto& item : category.result()->items()) {
        selected += item->selected() ? '1' : '0';
    }
    return selected;
}

} // namespace

// A node captures the engine's state when built. A click then changes only the tree; the engine
// learns it when the selection is handed over for a cleaning. A category click reaches only the
// items a filter shows: hidden items keep their selection whether the click selects or clears.
TEST(ResultViewModelTest, NodesCaptureTheSearchAndClicksReachOnlyShownItems) {
    test::TempHome home;
    home.file("a", 1000);
    home.file("b/c", 24);
    const std::vector<Url> urls{home.url("a"), home.url("b", true), home.url("missing")};

    const FixedCategory measured(urls);
    ASSERT_EQ(measured.result()->items().size(), 3U);
    measured.result()->items()[1]->setSelected(true);
    // The engine measures each item during the search; nodes take those sizes.
    for (const auto& item : measured.result()->items()) {
        item->measure();
    }
    ResultViewModel built(measured);
    ASSERT_EQ(built.children().size(), 3);
    EXPECT_EQ(built.size(), 1024U);
    EXPECT_EQ(built.children()[2]->size(), 0U);
    EXPECT_EQ(built.isSelected(), std::nullopt) << "one of three items selected";

    std::filesystem::remove(home.pathOf("a"));
    EXPECT_EQ(built.children()[0]->size(), 1000U)
        << "a node's size is captured, not measured again";

    EXPECT_EQ(ResultViewModel(FixedCategory({})).isSelected(), true)
        << "a category without items reads as selected";

    // The monitor's word is announced only when it changes the node.
    int runningChanges = 0;
    QObject::connect(&built, &ResultViewModel::isAppRunningChanged, [&] { ++runningChanges; });
    for (const bool running : {false, true, true, false}) {
        built.setAppRunning(running);
    }
    EXPECT_EQ(runningChanges, 2);

    constexpr int category = -1;
    struct Case {
        const char* what;
        const char* before; // per item, as engineSelection shows it
        const char* shown;  // the indices of the items the filter lets through
        int clicked;        // an item's index, or the category
        const char* after;
        std::optional<bool> state; // the category's state after the click
    };
    const std::vector<Case> cases{
        {"selects all", "000", "012", category, "111", true},
        {"clears a mixed category", "101", "012", category, "000", false},
        {"clears a full category", "111", "012", category, "000", false},
        {"an item of a full category", "111", "012", 1, "101", std::nullopt},
        {"the last item completes it", "101", "012", 1, "111", true},
        {"selects the shown", "000", "0", category, "100", true},
        {"clears the shown", "101", "0", category, "001", false},
        {"clears a mixed shown set", "101", "01", category, "001", false},
        {"selects beside a hidden selection", "001", "01", category, "111", true},
        {"clears beside a hidden clear item", "101", "02", category, "000", false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const FixedCategory fixed(urls);
        ResultViewModel node(fixed);
        ASSERT_EQ(node.children().size(), 3);
        QList<ResultViewModel*> shown;
        for (qsizetype i = 0; i < 3; ++i) {
            node.children()[i]->setSelected(c.before[i] == '1');
            if (std::strchr(c.shown, static_cast<char>('0' + i)) != nullptr) {
                shown.append(node.children()[i]);
            }
        }
        node.setShownChildren(shown);
        node.updateState();
        int notifications = 0;
        QObject::connect(&node, &ResultViewModel::isSelectedChanged, [&] { ++notifications; });
        (c.clicked == category ? &node : node.children()[c.clicked])->toggle();
        EXPECT_EQ(engineSelection(fixed), "000") << "not handed over yet";
        for (const ResultViewModel* item : node.children()) {
            item->handOverSelection();
        }
        EXPECT_EQ(engineSelection(fixed), c.after);
        EXPECT_EQ(node.isSelected(), c.state);
        EXPECT_EQ(notifications, 1) << "once, whatever agreed with the new state already";
    }
}
