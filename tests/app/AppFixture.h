#pragma once

#include "AppStrings.h"
#include "engine/EngineStrings.h"
#include "platform/desktop/SecureFolders.h"
#include "platform/desktop/UserDefaults.h"
#include "platform/icons/FileIconManager.h"
#include "support/BundleFixture.h"

#include <gtest/gtest.h>

namespace sorvane::test {

// A fresh home, system root and settings file per test, English texts, no grants in memory.
class AppTest : public ::testing::Test {
protected:
    void SetUp() override {
        EngineStrings::setLocale(QLocale(QLocale::English));
        AppStrings::setLocale(QLocale(QLocale::English));
        FileIconManager::shared().clear();
        SecureFolders::forgetAccess();
        UserDefaults::useFile(QString::fromStdString(home.pathOf("settings/Sorvane.conf")));
    }
    void TearDown() override {
        SecureFolders::forgetAccess();
        UserDefaults::useFile(QString());
    }

    // Stores both grants as an earlier run would have.
    void storeGrants() {
        SecureFolders::grantAccess(Url::folder(home.path()),
                                   QString::fromStdString(Url(home.path()).lastPathComponent()));
        home.folder("Library");
        SecureFolders::grantAccess(Url::folder(home.pathOf("Library")), QStringLiteral("Library"));
        SecureFolders::forgetAccess(); // as after a restart
    }

    TempHome home;
    ScopedSystemRoot root{home.pathOf("root")};
};

} // namespace sorvane::test
