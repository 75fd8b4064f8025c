#pragma once

#include "engine/EngineStrings.h"
#include "platform/FileIconManager.h"
#include "support/BundleFixture.h"
#include "support/ResultDescription.h"

#include <filesystem>
#include <gtest/gtest.h>

namespace sorvane::test {

// A fresh home and system root per test, English texts and no icons remembered from before.
class FinderTest : public ::testing::Test {
protected:
    void SetUp() override {
        EngineStrings::setLocale(QLocale(QLocale::English));
        FileIconManager::shared().clear();
    }
    void TearDown() override { FileIconManager::shared().clear(); }

    template <typename Finder> std::vector<std::string> searched(Finder& finder) {
        finder.search();
        return describe(home, *finder.result());
    }

    TempHome home;
    ScopedSystemRoot root{home.pathOf("root")};
};

using Lines = std::vector<std::string>;

} // namespace sorvane::test
