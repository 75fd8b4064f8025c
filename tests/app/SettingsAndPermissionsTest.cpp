#include "AppFixture.h"
#include "SettingsViewModel.h"

using namespace sorvane;

using SettingsAndPermissionsTest = test::AppTest;

// Stored as its integer at once; whatever else is stored reads as the size order.
TEST_F(SettingsAndPermissionsTest, SortOrderIsStoredAsItsInteger) {
    SettingsViewModel settings;
    EXPECT_EQ(settings.sortBy(), SortBy::size) << "nothing stored";
    settings.setSortBy(SortBy::name);
    EXPECT_EQ(UserDefaults::value(QStringLiteral("SortBy")).value_or(QVariant()).toInt(), 1);
    EXPECT_EQ(SettingsViewModel().sortBy(), SortBy::name) << "a new launch reads it back";
    for (const QVariant& stored : {QVariant(2), QVariant(-1), QVariant(QStringLiteral("x"))}) {
        UserDefaults::setValue(QStringLiteral("SortBy"), stored);
        EXPECT_EQ(settings.sortBy(), SortBy::size) << stored.toString().toStdString();
    }
}

TEST_F(SettingsAndPermissionsTest, GrantsAreStoredAsPathsAndRestored) {
    home.folder("Library");
    const Url library = Url::folder(home.pathOf("Library"));
    const QString key = QStringLiteral("Library");
    SecureFolders::restoreAccess(key);
    EXPECT_FALSE(SecureFolders::isAccessible(library));

    SecureFolders::grantAccess(Url::folder(home.pathOf("missing")), QStringLiteral("Missing"));
    EXPECT_FALSE(UserDefaults::value(QStringLiteral("Missing")))
        << "nothing stored for a non-folder";

    SecureFolders::grantAccess(library, key);
    SecureFolders::grantAccess(library, key);
    EXPECT_TRUE(SecureFolders::isAccessible(library));
    EXPECT_FALSE(SecureFolders::isAccessible(Url(home.pathOf("Library"))))
        << "the folder mark is part of the url";
    EXPECT_EQ(UserDefaults::value(key).value_or(QVariant()).toByteArray().toStdString(),
              home.pathOf("Library"));

    SecureFolders::forgetAccess();
    SecureFolders::restoreAccess(key);
    EXPECT_TRUE(SecureFolders::isAccessible(library)) << "restored without asking";

    // A token that names nothing any more is stale: not used, not renewed, not removed.
    SecureFolders::forgetAccess();
    UserDefaults::setValue(key, QByteArray("/no/such/folder"));
    SecureFolders::restoreAccess(key);
    EXPECT_FALSE(SecureFolders::isAccessible(library));
    EXPECT_EQ(UserDefaults::value(key).value_or(QVariant()).toByteArray(), "/no/such/folder");
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
