// What the uninstaller finds for an application, on a fixture home and system tree.
#include "UninstallFixture.h"

#include "app/uninstall/RelatedAppFilesScanner.h"

#include "tests/utils/QStringPrinter.h"
#include <QDir>

#include <gtest/gtest.h>

namespace {

QStringList pathsOf(const QList<AMAppItemPtr>& items, const QString& root) {
    QStringList out;
    for (const AMAppItemPtr& item : items)
        out << QString(item->path).remove(root);
    return out;
}

AMAppItemPtr appNamed(const QString& name, const QString& id, const UninstallFixture& fx) {
    const QString entry = UninstallFixture::desktopEntry(
        fx.home() + QStringLiteral("/.local/share/applications/%1.desktop").arg(id), name);
    return RelatedAppFilesScanner::constructItem(entry, true, fx.folders());
}

TEST(RelatedFilesTest, MatchesStopAtAWordBoundaryAndShortPatternsFindNothing) {
    using S = RelatedAppFilesScanner;
    EXPECT_TRUE(S::matches("gimp-2.10", "gimp"));
    EXPECT_TRUE(S::matches("GIMP", "gimp"));
    EXPECT_TRUE(S::matches("FOO BAR.PLIST", "foo bar"));
    EXPECT_TRUE(S::matches("com.example.foobar.agent.plist", "com.example.foobar"));
    EXPECT_FALSE(S::matches("gimpel", "gimp"));
    EXPECT_FALSE(S::matches("MyFoo Bar", "Foo Bar")) << "a match starts at the first character";
    EXPECT_FALSE(S::matches("X11", "X"));
    EXPECT_FALSE(S::matches("vi", "vi")) << "two characters are too few to tell an application";
    EXPECT_TRUE(S::matches("vim", "vim"));
}

// The order: the application, then per kind the user's folders before the machine's, in each
// folder the name's matches before the identifier's; a path is listed once, and what lies in the
// download folder starts unselected.
TEST(RelatedFilesTest, FindsTheNameAndIdMatchesInOrderUserFirstEachPathOnce) {
    UninstallFixture fx;
    const QString h = fx.home(), s = fx.system();
    UninstallFixture::write(h + "/.config/Foo Bar Agent");
    UninstallFixture::write(h + "/.config/gimpel"); // no match
    UninstallFixture::write(s + "/etc/Foo Bar Agent");
    UninstallFixture::write(h + "/.cache/com.example.foobar/data.bin", QByteArray(3000, 'c'));
    UninstallFixture::write(h + "/.local/state/FooBar.log");
    UninstallFixture::write(h + "/.local/share/FooBar Support/x");
    UninstallFixture::write(h + "/.var/app/com.example.foobar/config");
    UninstallFixture::write(h + "/Downloads/FooBar-setup.deb");
    UninstallFixture::write(h + "/MyFoo Bar"); // not in any folder of the list
    const AMAppItemPtr app = appNamed("Foo Bar", "com.example.foobar", fx);

    const QList<AMAppItemPtr> found =
        RelatedAppFilesScanner::relatedFilesToApplicationAtPath(app, fx.folders());
    EXPECT_EQ(pathsOf(found, fx.home()),
              (QStringList{"/.local/share/applications/com.example.foobar.desktop",
                           "/.config/Foo Bar Agent", s + "/etc/Foo Bar Agent",
                           "/.cache/com.example.foobar",
                           "/.local/state/FooBar.log", // as a log, not again as saved state
                           "/.local/share/FooBar Support", "/.var/app/com.example.foobar",
                           "/Downloads/FooBar-setup.deb"}))
        << pathsOf(found, QString()).join('\n').toStdString();
    // A folder's size is its whole tree's; a download starts unselected.
    EXPECT_EQ(found[3]->size, QStringLiteral("3.00 KB"));
    EXPECT_FALSE(found[1]->startsUnselected);
    EXPECT_TRUE(found.last()->startsUnselected);
    EXPECT_EQ(found[1]->kind, AMAppItem::Kind::RelatedFile);
}

TEST(RelatedFilesTest, AnEntryMatchingNameAndIdIsListedAndSizedOnceAndNoIdMeansTheAppAlone) {
    UninstallFixture fx;
    UninstallFixture::write(fx.home() + "/.config/GIMP/gimprc", QByteArray(2048, 'g'));
    UninstallFixture::write(fx.system() + "/etc/vim/vimrc", QByteArray(1024, 'v'));
    const QList<AMAppItemPtr> both = RelatedAppFilesScanner::relatedFilesToApplicationAtPath(
        appNamed("GIMP", "gimp", fx), fx.folders());
    EXPECT_EQ(pathsOf(both, fx.home()),
              (QStringList{"/.local/share/applications/gimp.desktop", "/.config/GIMP"}));
    const QList<AMAppItemPtr> vim = RelatedAppFilesScanner::relatedFilesToApplicationAtPath(
        appNamed("Vim", "vim", fx), fx.folders());
    EXPECT_EQ(pathsOf(vim, fx.home()),
              (QStringList{"/.local/share/applications/vim.desktop", fx.system() + "/etc/vim"}));
    quint64 related = 0;
    for (qsizetype i = 1; i < vim.size(); ++i)
        related += vim[i]->sizeBytes;
    EXPECT_EQ(related, 1024u) << "each file's bytes are counted once";

    AMAppItemPtr blank = appNamed("GIMP", "gimp", fx);
    blank->bundleID = QStringLiteral(" ");
    EXPECT_EQ(RelatedAppFilesScanner::relatedFilesToApplicationAtPath(blank, fx.folders()).size(),
              1);
}

TEST(RelatedFilesTest, ItemsOfEachKindCarryWhatTheirFilesSay) {
    UninstallFixture fx;
    const UninstallFolders folders = fx.folders();
    const QString entry = UninstallFixture::desktopEntry(
        fx.home() + "/.local/share/applications/org.gnome.Maps.desktop", "Maps",
        "Name[de]=Karten\nIcon=org.gnome.Maps\nX-AppImage-Version=2.1");
    const AMAppItemPtr maps = RelatedAppFilesScanner::getAppItemWithFilePath(entry, true, folders);
    EXPECT_EQ(maps->bundleID, QStringLiteral("org.gnome.Maps"));
    EXPECT_EQ(maps->searchName, QStringLiteral("Maps"))
        << "related files go by the untranslated name";
    EXPECT_EQ(maps->image, QStringLiteral("org.gnome.Maps"));
    EXPECT_EQ(maps->executable, QStringLiteral("maps")) << "field codes are not the program";
    EXPECT_TRUE(maps->isSystemApp);
    EXPECT_EQ(maps->isSystemAppStr, QStringLiteral("YES"));

    const QString bundle = fx.home() + "/Applications/Tool.app";
    UninstallFixture::write(
        bundle + "/Contents/Info.plist",
        "<?xml version=\"1.0\"?><plist version=\"1.0\"><dict><key>CFBundleIdentifier</key>"
        "<string>org.example.tool</string><key>CFBundleShortVersionString</key><string>3.4"
        "</string><key>CFBundleExecutable</key><string>tool</string></dict></plist>");
    const AMAppItemPtr tool = RelatedAppFilesScanner::constructItem(bundle, true, folders);
    EXPECT_EQ(tool->kind, AMAppItem::Kind::Bundle);
    EXPECT_EQ(tool->bundleVersion, QStringLiteral("3.4"));
    EXPECT_EQ(tool->searchName, QStringLiteral("tool")) << "no CFBundleName: the executable";
    EXPECT_EQ(tool->size, QStringLiteral("0KB"));

    const AMAppItemPtr image = RelatedAppFilesScanner::constructItem(
        UninstallFixture::write(fx.home() + "/Applications/Obsidian-1.5.3.AppImage"), true,
        folders);
    EXPECT_EQ(image->kind, AMAppItem::Kind::AppImage);
    EXPECT_EQ(image->name, QStringLiteral("Obsidian"));
}

} // namespace
