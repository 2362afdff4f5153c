#include "app/Comm/LocalizedString.h"
#include "QStringPrinter.h"
#include "TestSupport.h"
#include "platform/BundleLocator.h"

#include <QFile>
#include <QLocale>
#include <QRegularExpression>
#include <QSet>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace testsupport;

namespace {

TEST(LocalizedStringTest, TableFormat) {
    const auto table = LocalizedStringTable::parse(
        QStringLiteral("/* header\n   comment */\n"
                       "\"plain\" = \"Plain text\";\n"
                       "// a line comment\n"
                       "  \"spaced\"   =   \"a  b\" ;\n"
                       "\"escapes\" = \"say \\\"hi\\\"\\n\\tback\\\\slash \\U00e9\";\n"
                       "\"unicode\" = \"Löschen ✓\";\n"
                       "\"empty\" = \"\";\n"
                       "\"plain\" = \"Later entries win\";\n"));
    EXPECT_EQ(table.value(QStringLiteral("plain")), QStringLiteral("Later entries win"));
    EXPECT_EQ(table.value(QStringLiteral("spaced")), QStringLiteral("a  b"));
    EXPECT_EQ(table.value(QStringLiteral("escapes")),
              QStringLiteral("say \"hi\"\n\tback\\slash é"));
    EXPECT_EQ(table.value(QStringLiteral("unicode")), QStringLiteral("Löschen ✓"));
    EXPECT_TRUE(table.contains(QStringLiteral("empty")));
    EXPECT_EQ(table.size(), 5);
}

TEST(LocalizedStringTest, MalformedEntryEndsTheTable) {
    const auto table = LocalizedStringTable::parse(
        QStringLiteral("\"a\" = \"1\";\n\"b\" = \"2\"\n\"c\" = \"3\";\n\"d\" = \"unterminated"));
    EXPECT_EQ(table.value(QStringLiteral("a")), QStringLiteral("1"));
    EXPECT_FALSE(table.contains(QStringLiteral("b"))); // missing ';'
    EXPECT_FALSE(table.contains(QStringLiteral("c")));
    EXPECT_TRUE(LocalizedStringTable::parse(QStringLiteral("\"x\" = \"\\U12\";")).isEmpty());
}

TEST(LocalizedStringTest, LooksUpTheMainBundlesTable) {
    QTemporaryDir root;
    BundleLocator::setOuterBundlePath(makeBundle(root.path()));
    EXPECT_TRUE(getLocalizedString(QStringLiteral("Erase Files")).isEmpty()); // no table yet
    const QString table =
        BundleLocator::mainResourcesPath() + QStringLiteral("/en.lproj/Localizable.strings");
    writeFile(table, "\"Erase Files\" = \"Erase the Files\";\n");
    EXPECT_EQ(getLocalizedString(QStringLiteral("Erase Files")), QStringLiteral("Erase the Files"));
    EXPECT_TRUE(getLocalizedString(QStringLiteral("No such key")).isEmpty());
    // A changed table is read again.
    writeFile(table, "\"Erase Files\" = \"Wipe files\"; \"More\" = \"m\";\n");
    EXPECT_EQ(getLocalizedString(QStringLiteral("Erase Files")), QStringLiteral("Wipe files"));
    BundleLocator::setOuterBundlePath({});
}

TEST(LocalizedStringTest, ShippedTableIsCompleteAndInTheBuiltBundle) {
    const QString source =
        QStringLiteral(KORVANE_SOURCE_DIR "/app/Resources/en.lproj/Localizable.strings");
    const QString text = QString::fromUtf8(readFile(source));
    ASSERT_FALSE(text.isEmpty());
    const auto table = LocalizedStringTable::parse(text);
    // Every entry parsed: as many entries as lines that start one.
    EXPECT_EQ(table.size(), text.count(QRegularExpression(QStringLiteral("^\""),
                                                          QRegularExpression::MultilineOption)));
    for (const char* key : {"Erase Files", "Cannot open Folder", "Cannot open file", "Erased"})
        EXPECT_TRUE(table.contains(QString::fromUtf8(key))) << key;

    BundleLocator::setOuterBundlePath(QStringLiteral(KORVANE_BUNDLE_DIR));
    EXPECT_EQ(getLocalizedString(QStringLiteral("Cannot open file")),
              QStringLiteral("Cannot open file"));

    // The German table holds the same keys, each translated, and the handed locale picks it.
    const auto german = LocalizedStringTable::parse(QString::fromUtf8(readFile(
        QStringLiteral(KORVANE_SOURCE_DIR "/app/Resources/de.lproj/Localizable.strings"))));
    EXPECT_EQ(QSet<QString>(german.keyBegin(), german.keyEnd()),
              QSet<QString>(table.keyBegin(), table.keyEnd()));
    for (auto entry = german.cbegin(); entry != german.cend(); ++entry)
        EXPECT_NE(entry.value(), table.value(entry.key())) << entry.key().toStdString();
    const QLocale before;
    QLocale::setDefault(QLocale(QStringLiteral("de_DE")));
    EXPECT_EQ(getLocalizedString(QStringLiteral("Cannot open file")),
              QStringLiteral("Datei kann nicht geöffnet werden"));
    QLocale::setDefault(before);
    BundleLocator::setOuterBundlePath({});
}

} // namespace
