// The category keys are written out again where no code can reach them: the shell completion,
// the manual page's count and the README's table. Each must agree with the category lists.

#include "finders/PredefinedCategories.h"
#include "support/TempHome.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <iterator>
#include <regex>
#include <set>
#include <sstream>

using namespace sorvane;

namespace {

std::set<std::string> keysOf(LayoutKind layout) {
    std::set<std::string> keys;
    for (const auto& category : predefinedCategories(layout)) {
        keys.insert(category->key());
    }
    return keys;
}

// The words of the completion's list for a layout: local NAME="KEY KEY ...".
std::set<std::string> completionKeys(const std::string& script, const std::string& name) {
    const std::regex list("local " + name + "=\"([^\"]*)\"");
    std::smatch match;
    if (!std::regex_search(script, match, list)) {
        return {};
    }
    std::istringstream words(match[1].str());
    return {std::istream_iterator<std::string>(words), std::istream_iterator<std::string>()};
}

} // namespace

TEST(PredefinedCategoriesTest, KeysWrittenOutElsewhereAgreeWithTheLists) {
    const std::string source = SORVANE_SOURCE_DIR;
    const std::string completion = test::readFile(source + "/dist/sorvane-cli.bash-completion");
    const std::string manual = test::readFile(source + "/dist/sorvane-cli.1.in");
    const std::string readme = test::readFile(source + "/README.md");
    const std::pair<LayoutKind, const char*> layouts[] = {
        {LayoutKind::macos, "macos"},
        {LayoutKind::freedesktop, "freedesktop"},
    };
    const char* const counts[] = {
        "",         "one",     "two",     "three",     "four",     "five",     "six",
        "seven",    "eight",   "nine",    "ten",       "eleven",   "twelve",   "thirteen",
        "fourteen", "fifteen", "sixteen", "seventeen", "eighteen", "nineteen", "twenty"};
    for (const auto& [layout, name] : layouts) {
        SCOPED_TRACE(name);
        const auto keys = keysOf(layout);
        ASSERT_LT(keys.size(), std::size(counts));
        EXPECT_EQ(completionKeys(completion, name), keys);
        const std::string count = counts[keys.size()];
        EXPECT_NE(manual.find("the " + count + " of"), std::string::npos) << count;
        EXPECT_NE(readme.find(count + " categories"), std::string::npos) << count;
    }
    // The freedesktop table names every key of that layout.
    for (const auto& key : keysOf(LayoutKind::freedesktop)) {
        EXPECT_NE(readme.find("`" + key + "`"), std::string::npos) << key;
    }
}
