#include "AppFixture.h"
#include "PermissionsViewModel.h"
#include "SettingsViewModel.h"

using namespace sorvane;

using SettingsAndPermissionsTest = test::AppTest;

TEST_F(SettingsAndPermissionsTest, SortOrderIsStoredAsItsInteger) {
    EXPECT_EQ(sortByFromRawValue(0), SortBy::size);
    EXPECT_EQ(sortByFromRawValue(1), SortBy::name);
    EXPECT_FALSE(sortByFromRawValue(2).has_value());
    EXPECT_FALSE(sortByFromRawValue(-1).has_value());
    EXPECT_EQ(localizedName(SortBy::size), QStringLiteral("Size"));

    SettingsViewModel settings;
    EXPECT_EQ(settings.sortBy(), SortBy::size);
    EXPECT_EQ(SettingsViewModel::storedResultOrder(), SortBy::size);
    int changes = 0;
    QObject::connect(&settings, &SettingsViewModel::sortByChanged, [&] { ++changes; });
    settings.setSortBy(SortBy::name);
    settings.setSortBy(SortBy::name);
    EXPECT_EQ(changes, 2) << "every assignment notifies";
    EXPECT_EQ(UserDefaults::value(QStringLiteral("SortBy"))->toInt(), 1);
    EXPECT_EQ(SettingsViewModel().sortBy(), SortBy::name) << "a new launch reads it back";

    UserDefaults::setValue(QStringLiteral("SortBy"), 7);
    EXPECT_EQ(settings.sortBy(), SortBy::size);
    EXPECT_EQ(SettingsViewModel::storedResultOrder(), SortBy::size) << "list and menu agree";
    UserDefaults::setValue(QStringLiteral("SortBy"), QStringLiteral("garbage"));
    EXPECT_EQ(settings.sortBy(), SortBy::size);
}

TEST_F(SettingsAndPermissionsTest, GrantsAreStoredAsPathsAndRestored) {
    home.folder("Library");
    const Url library = Url::folder(home.pathOf("Library"));
    SecureFolders::restoreAccess(QStringLiteral("Library"));
    EXPECT_FALSE(SecureFolders::isAccessible(library));

    SecureFolders::grantAccess(Url::folder(home.pathOf("missing")), QStringLiteral("Missing"));
    EXPECT_FALSE(UserDefaults::value(QStringLiteral("Missing")).has_value())
        << "nothing stored for a non-folder";

    SecureFolders::grantAccess(library, QStringLiteral("Library"));
    SecureFolders::grantAccess(library, QStringLiteral("Library"));
    EXPECT_TRUE(SecureFolders::isAccessible(library));
    EXPECT_FALSE(SecureFolders::isAccessible(Url(home.pathOf("Library"))))
        << "the folder mark is part of the url";
    EXPECT_EQ(UserDefaults::value(QStringLiteral("Library"))->toByteArray().toStdString(),
              home.pathOf("Library"));

    SecureFolders::forgetAccess();
    SecureFolders::restoreAccess(QStringLiteral("Library"));
    EXPECT_TRUE(SecureFolders::isAccessible(library)) << "restored without asking";

    // A token that names nothing any more is stale: not used, not renewed, not removed.
    SecureFolders::forgetAccess();
    UserDefaults::setValue(QStringLiteral("Library"), QByteArray("/no/such/folder"));
    SecureFolders::restoreAccess(QStringLiteral("Library"));
    EXPECT_FALSE(SecureFolders::isAccessible(library));
    EXPECT_EQ(UserDefaults::value(QStringLiteral("Library"))->toByteArray(),
              QByteArray("/no/such/folder"));
}

TEST_F(SettingsAndPermissionsTest, PermissionRowsRestoreAndGrant) {
    storeGrants(true, false);
    PermissionsViewModel permissions;
    EXPECT_TRUE(permissions.user()->isAuthenticated());
    EXPECT_FALSE(permissions.library()->isAuthenticated());
    EXPECT_EQ(permissions.library()->path(), QString::fromStdString(home.pathOf("Library")));

    // The Library folder does not exist yet: the grant is refused and the row stays open.
    permissions.library()->grant();
    EXPECT_FALSE(permissions.library()->isAuthenticated());
    home.folder("Library");
    permissions.library()->grant();
    EXPECT_TRUE(permissions.library()->isAuthenticated());
    EXPECT_TRUE(UserDefaults::value(QStringLiteral("Library")).has_value());
}

// Counts take the plural form of the language: "1 item", "2 items", "1 Objekt", "0 Objekte".
TEST_F(SettingsAndPermissionsTest, SelectionSummaryUsesPluralForms) {
    struct Case {
        QLocale::Language language;
        std::int64_t count;
        const char* text;
    };
    for (const auto& [language, count, text] : std::vector<Case>{
             {QLocale::English, 0, "0 items selected, 5 B"},
             {QLocale::English, 1, "1 item selected, 5 B"},
             {QLocale::English, 2, "2 items selected, 5 B"},
             {QLocale::German, 0, "0 Objekte ausgew\u00e4hlt, 5 B"},
             {QLocale::German, 1, "1 Objekt ausgew\u00e4hlt, 5 B"},
             {QLocale::German, 21, "21 Objekte ausgew\u00e4hlt, 5 B"},
         }) {
        AppStrings::setLocale(QLocale(language));
        EXPECT_EQ(AppStrings::plural("SELECTED_FILES", count).arg(QStringLiteral("5 B")),
                  QString::fromUtf8(text));
    }
    AppStrings::setLocale(QLocale(QLocale::English));
}
