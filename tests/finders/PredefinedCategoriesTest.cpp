// The category keys are written out again where no code can reach them: the shell completion,
// the manual page's count and the README's table. Each must agree with the category lists, and
// every category has a name of its own in each language.

#include "finders/PredefinedCategories.h"
#include "engine/EngineStrings.h"
#include "platform/keep/BuiltInKeeps.h"
#include "platform/places/Layout.h"
#include "support/TempHome.h"

#include <gtest/gtest.h>

#include <iterator>
#include <map>
#include <regex>
#include <set>
#include <sstream>

using namespace sorvane;

TEST(PredefinedCategoriesTest, KeysWrittenOutElsewhereAgreeWithTheLists) {
    const auto text = [](const char* file) {
        return test::readFile(std::string(SORVANE_SOURCE_DIR) + "/" + file);
    };
    const std::string completion = text("dist/sorvane-cli.bash-completion");
    const std::string readme = text("README.md");
    const std::map<std::size_t, std::string> counts{{19, "nineteen"}, {24, "twenty-four"}};
    for (const auto& [layout, name] : {std::pair{LayoutKind::macos, "macos"},
                                       std::pair{LayoutKind::freedesktop, "freedesktop"}}) {
        SCOPED_TRACE(name);
        std::set<std::string> keys;
        // Japanese has no table of its own: English stands in rather than the key.
        for (const auto language : {QLocale::German, QLocale::Japanese, QLocale::English}) {
            EngineStrings::setLocale(QLocale(language));
            for (const auto& category : predefinedCategories(layout)) {
                EXPECT_NE(category->result()->name().toStdString(), category->key()) << language;
            }
        }
        for (const auto& category : predefinedCategories(layout)) {
            keys.insert(category->key());
            // The freedesktop table names every key of that layout.
            EXPECT_TRUE(layout == LayoutKind::macos ||
                        readme.find("`" + category->key() + "`") != std::string::npos);
        }
        std::smatch listed;
        ASSERT_TRUE(std::regex_search(completion, listed,
                                      std::regex(std::string("local ") + name + "=\"([^\"]*)\"")));
        std::istringstream words(listed[1].str());
        EXPECT_EQ((std::set<std::string>{std::istream_iterator<std::string>(words), {}}), keys);
        // Both lists are written as words; a list that grows past them needs its word here.
        const std::string count = counts.at(keys.size());
        for (const char* file : {"dist/sorvane-cli.1.in", "cli/CommandLine.cpp"}) {
            EXPECT_NE(text(file).find("the " + count + " of"), std::string::npos) << file;
        }
        EXPECT_NE(readme.find(count + " categories"), std::string::npos) << count;
    }
    // Every built-in keep entry is listed with its reason.
    const test::TempHome home;
    Layout::choose(LayoutKind::freedesktop, FreedesktopFolders::under(home.path()));
    for (const auto& kept : BuiltInKeeps::freedesktop()) {
        EXPECT_NE(readme.find("| `" + kept.entry + "` |"), std::string::npos) << kept.entry;
    }
    Layout::choose(LayoutKind::macos);
}
