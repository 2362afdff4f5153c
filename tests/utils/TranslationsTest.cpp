#include "platform/Translations.h"
#include "QStringPrinter.h"
#include "platform/BundleLocator.h"

#include <QCoreApplication>
#include <QLocale>
#include <gtest/gtest.h>

namespace {

QCoreApplication& application() {
    static int argc = 1;
    static char name[] = "translations_test";
    static char* argv[] = {name, nullptr};
    static QCoreApplication* app =
        QCoreApplication::instance() ? nullptr : new QCoreApplication(argc, argv);
    return app ? *app : *QCoreApplication::instance();
}

// The locale a program is handed (the window started through pkexec has no LANG of its own)
// picks the table and the formats; anything else than a locale name is ignored.
TEST(TranslationsTest, TheHandedLocalePicksTheTableAndTheFormats) {
    application();
    BundleLocator::setOuterBundlePath(QStringLiteral(KORVANE_BUNDLE_DIR));
    const QLocale before = QLocale();

    EXPECT_EQ(Translations::install(QStringLiteral("de_DE.UTF-8")),
              QStringLiteral("korvane_de.qm"));
    EXPECT_EQ(QLocale().name(), QStringLiteral("de_DE"));
    EXPECT_EQ(QLocale().toString(1.5, 'f', 1), QStringLiteral("1,5"));

    // No table for French: English, whose table holds the plural forms.
    EXPECT_EQ(Translations::install(QStringLiteral("fr_FR.UTF-8")),
              QStringLiteral("korvane_en.qm"));

    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    for (const char* hostile : {"../../../tmp/x", "de_DE/../../x", "de DE", "de_DE.UTF-8;rm"}) {
        Translations::install(QString::fromUtf8(hostile));
        EXPECT_EQ(QLocale().name(), QStringLiteral("en_US")) << hostile;
        EXPECT_FALSE(Translations::isLocaleName(QString::fromUtf8(hostile))) << hostile;
    }
    for (const char* name : {"de", "de_DE", "de_DE.UTF-8", "sr_RS@latin", "C.UTF-8"})
        EXPECT_TRUE(Translations::isLocaleName(QString::fromUtf8(name))) << name;

    QLocale::setDefault(before);
    BundleLocator::setOuterBundlePath({});
}

} // namespace
