#include "AppFixture.h"
#include "MainViewModel.h"

using namespace sorvane;

using SettingsAndPermissionsTest = test::AppTest;

TEST_F(SettingsAndPermissionsTest, GrantsAreStoredAsPathsAndRestored) {
    home.folder("Library");
    const Url library = Url::folder(home.pathOf("Library"));
    const QString key = QStringLiteral("Library");

    const Url missing = Url::folder(home.pathOf("missing"));
    SecureFolders::grantAccess(missing, QStringLiteral("Missing"));
    EXPECT_FALSE(SecureFolders::isAccessible(missing));
    EXPECT_FALSE(UserDefaults::value(QStringLiteral("Missing")))
        << "nothing stored for a non-folder";

    SecureFolders::grantAccess(library, key);
    EXPECT_TRUE(SecureFolders::isAccessible(library));
    EXPECT_FALSE(SecureFolders::isAccessible(Url(home.pathOf("Library"))))
        << "the folder mark is part of the url";
    EXPECT_EQ(UserDefaults::value(key).value_or(QVariant()).toByteArray().toStdString(),
              home.pathOf("Library"));

    // A token that names nothing any more is stale: not used, not renewed, not removed.
    SecureFolders::forgetAccess();
    UserDefaults::setValue(key, QByteArray("/no/such/folder"));
    SecureFolders::restoreAccess(key);
    EXPECT_FALSE(SecureFolders::isAccessible(library));
    EXPECT_EQ(UserDefaults::value(key).value_or(QVariant()).toByteArray(), "/no/such/folder");
}

// Counts take the plural form of the language: "1 Objekt", "0 Objekte".
TEST_F(SettingsAndPermissionsTest, SelectionSummaryUsesPluralForms) {
    AppStrings::setLocale(QLocale(QLocale::German));
    for (const auto& [count, text] : std::vector<std::pair<std::int64_t, const char*>>{
             {0, "0 Objekte ausgew\u00e4hlt, 5 B"}, {1, "1 Objekt ausgew\u00e4hlt, 5 B"}}) {
        EXPECT_EQ(AppStrings::plural("SELECTED_FILES", count).arg(QStringLiteral("5 B")),
                  QString::fromUtf8(text));
    }
    AppStrings::setLocale(QLocale(QLocale::English));
}

// The chooser answers late: its row may be gone, and only the folder it asked for is granted.
TEST_F(SettingsAndPermissionsTest, ChosenFolderGrantsOnlyTheRowThatAsked) {
    MainViewModel model;
    PermissionViewModel* user = model.permissions()->user();
    model.chooseFolder(nullptr, {QString::fromStdString(home.path())});
    model.chooseFolder(user, {QString::fromStdString(home.pathOf("Library"))});
    EXPECT_TRUE(user->showingAlert() && !user->isAuthenticated());
    model.chooseFolder(user, {QString::fromStdString(home.path())});
    EXPECT_TRUE(user->isAuthenticated());
}
