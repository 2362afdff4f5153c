// Which package installed a desktop entry: stand-in dpkg-query, flatpak and snap scripts answer
// from fixed text, and export folders are built in a temporary folder.
#include "app/uninstall/PackageLookup.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

using Manager = PackageRef::Manager;

// A temporary folder with stand-in tools. Every tool logs each call as one line of
// "arg|arg|...|" to TOOL.calls before it runs BODY.
class Sandbox {
public:
    Sandbox() { EXPECT_TRUE(m_dir.isValid()); }

    QString path(const QString& relative) const { return m_dir.filePath(relative); }

    void writeFile(const QString& relative, const QByteArray& content) const {
        QDir().mkpath(QFileInfo(path(relative)).absolutePath());
        QFile file(path(relative));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(content);
    }

    QString tool(const QString& name, const QByteArray& body) const {
        writeFile(name,
                  "#!/bin/sh\nprintf '%s|' \"$@\" >> \"$0.calls\"\necho >> \"$0.calls\"\n" + body);
        QFile::setPermissions(path(name), QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                              QFileDevice::ExeOwner);
        return path(name);
    }

    QStringList calls(const QString& name) const {
        QFile file(path(name + QStringLiteral(".calls")));
        if (!file.open(QIODevice::ReadOnly))
            return {};
        return QString::fromUtf8(file.readAll()).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    }

private:
    QTemporaryDir m_dir;
};

PackageLookup::Tools toolsIn(const Sandbox& sandbox) {
    PackageLookup::Tools tools;
    tools.dpkgQuery = sandbox.path(QStringLiteral("missing-dpkg-query"));
    tools.flatpak = sandbox.path(QStringLiteral("missing-flatpak"));
    tools.snap = sandbox.path(QStringLiteral("missing-snap"));
    tools.flatpakSystemExports =
        sandbox.path(QStringLiteral("system-flatpak/exports/share/applications"));
    tools.snapExports = sandbox.path(QStringLiteral("snapd/desktop/applications"));
    return tools;
}

TEST(PackageLookupTest, AsksDpkgOnceForAllFilesAndReadsOwnersArchitecturesAndDiversions) {
    Sandbox sandbox;
    const QString editor = sandbox.path(QStringLiteral("applications/editor.desktop"));
    const QString viewer = sandbox.path(QStringLiteral("applications/viewer.desktop"));
    const QString local = sandbox.path(QStringLiteral("applications/local.desktop"));
    const QString diverted = sandbox.path(QStringLiteral("applications/diverted.desktop"));
    for (const QString& file : {editor, viewer, local, diverted})
        sandbox.writeFile(QDir(sandbox.path({})).relativeFilePath(file), "[Desktop Entry]\n");
    sandbox.writeFile(QStringLiteral("dpkg-query.S"),
                      ("editor-gtk:amd64, editor-common: " + editor + "\n" +
                       "libviewer:amd64, libviewer:i386: " + viewer + "\n" +
                       "diversion by tweaks from: " + diverted + "\n" +
                       "diversion by tweaks to: " + diverted + ".real\n")
                          .toUtf8());
    sandbox.writeFile(QStringLiteral("dpkg-query.W"), "libviewer\t2.1-3\tyes\trequired\n"
                                                      "editor-gtk\t1:4.0~rc1\t\toptional\n");
    PackageLookup::Tools tools = toolsIn(sandbox);
    tools.dpkgQuery = sandbox.tool(QStringLiteral("dpkg-query"),
                                   "case \"$1\" in\n"
                                   "-S) cat \"$0.S\"; echo \"no path found\" >&2; exit 1 ;;\n"
                                   "-W) cat \"$0.W\" ;;\n"
                                   "esac\n");

    const QHash<QString, PackageRef> owners =
        PackageLookup(tools).ownersOf({editor, viewer, local, diverted});

    ASSERT_EQ(owners.size(), 4);
    EXPECT_EQ(owners[editor].manager, Manager::Dpkg);
    EXPECT_EQ(owners[editor].name, QStringLiteral("editor-gtk")) << "the first owner, no arch";
    EXPECT_EQ(owners[editor].version, QStringLiteral("1:4.0~rc1"));
    EXPECT_FALSE(owners[editor].isSystemPackage());
    EXPECT_EQ(owners[viewer].name, QStringLiteral("libviewer"));
    EXPECT_TRUE(owners[viewer].essential);
    EXPECT_EQ(owners[viewer].priority, QStringLiteral("required"));
    EXPECT_EQ(owners[local].manager, Manager::None) << "dpkg does not know it";
    EXPECT_EQ(owners[diverted].manager, Manager::None) << "a diversion is no ownership";

    const QStringList calls = sandbox.calls(QStringLiteral("dpkg-query"));
    ASSERT_EQ(calls.size(), 2) << calls.join(QLatin1Char('\n')).toStdString();
    EXPECT_TRUE(calls[0].startsWith(QStringLiteral("-S|")));
    for (const QString& file : {editor, viewer, local, diverted})
        EXPECT_TRUE(calls[0].contains(QLatin1Char('|') + file + QLatin1Char('|')));
    EXPECT_TRUE(calls[1].startsWith(QStringLiteral("-W|")));
    EXPECT_TRUE(calls[1].endsWith(QStringLiteral("|--|editor-gtk|libviewer|")))
        << "each package asked for once: " << calls[1].toStdString();

    EXPECT_EQ(PackageLookup(tools).ownerOf(viewer).name, QStringLiteral("libviewer"));
}

TEST(PackageLookupTest, FlatpakExportsNameTheApplicationAndItsInstallation) {
    Sandbox sandbox;
    PackageLookup::Tools tools = toolsIn(sandbox);
    tools.dpkgQuery = sandbox.tool(QStringLiteral("dpkg-query"), "exit 1\n");
    const QString userInstallation = sandbox.path(QStringLiteral("home/.local/share/flatpak"));
    tools.flatpak = sandbox.tool(
        QStringLiteral("flatpak"),
        "case \"$2\" in\n"
        "--system) printf 'org.example.Editor\\t4.2\\norg.example.Editor.Plugin\\t1.0\\n' ;;\n"
        "--user) [ \"$FLATPAK_USER_DIR\" = '" +
            userInstallation.toUtf8() +
            "' ] || exit 1\n"
            "  printf 'com.example.Tool\\t\\n' ;;\n"
            "esac\n");

    // The system export is a link into the application's own tree, named unlike the id.
    const QString active = QStringLiteral(
        "system-flatpak/app/org.example.Editor/current/active/export/share/applications/");
    sandbox.writeFile(active + QStringLiteral("launcher.desktop"), "[Desktop Entry]\n");
    const QString linked = tools.flatpakSystemExports + QStringLiteral("/launcher.desktop");
    ASSERT_TRUE(QDir().mkpath(tools.flatpakSystemExports));
    ASSERT_TRUE(QFile::link(QStringLiteral("../../../app/org.example.Editor/current/active/export/"
                                           "share/applications/launcher.desktop"),
                            linked));
    const QString extraEntry =
        tools.flatpakSystemExports + QStringLiteral("/org.example.Editor.Viewer.desktop");
    const QString stale = tools.flatpakSystemExports + QStringLiteral("/org.gone.App.desktop");
    const QString userEntry =
        userInstallation + QStringLiteral("/exports/share/applications/com.example.Tool.desktop");
    for (const QString& file : {extraEntry, stale, userEntry})
        sandbox.writeFile(QDir(sandbox.path({})).relativeFilePath(file), "[Desktop Entry]\n");

    const QHash<QString, PackageRef> owners =
        PackageLookup(tools).ownersOf({linked, extraEntry, stale, userEntry});

    EXPECT_EQ(owners[linked].manager, Manager::Flatpak);
    EXPECT_EQ(owners[linked].name, QStringLiteral("org.example.Editor")) << "from the link";
    EXPECT_TRUE(owners[linked].systemWide);
    EXPECT_EQ(owners[linked].version, QStringLiteral("4.2"));
    EXPECT_EQ(owners[extraEntry].name, QStringLiteral("org.example.Editor"))
        << "the longest installed prefix";
    EXPECT_EQ(owners[stale].manager, Manager::None) << "its application is not installed";
    EXPECT_EQ(owners[userEntry].manager, Manager::Flatpak);
    EXPECT_EQ(owners[userEntry].name, QStringLiteral("com.example.Tool"));
    EXPECT_FALSE(owners[userEntry].systemWide);
    EXPECT_TRUE(owners[userEntry].version.isEmpty());
    EXPECT_EQ(sandbox.calls(QStringLiteral("flatpak")).size(), 2) << "once per installation";
    EXPECT_TRUE(sandbox.calls(QStringLiteral("dpkg-query")).isEmpty());
}

TEST(PackageLookupTest, SnapExportsNameTheSnapBeforeTheUnderscore) {
    Sandbox sandbox;
    PackageLookup::Tools tools = toolsIn(sandbox);
    tools.snap = sandbox.tool(QStringLiteral("snap"),
                              "[ \"$1\" = list ] || exit 1\n"
                              "echo 'Name     Version   Rev   Tracking       Publisher  Notes'\n"
                              "echo 'my-tool  2.0.1     42    latest/stable  someone    -'\n"
                              "echo 'core22   20240111  1122  latest/stable  canonical  base'\n");
    const QString helper = tools.snapExports + QStringLiteral("/my-tool_helper.desktop");
    const QString gone = tools.snapExports + QStringLiteral("/gone_gone.desktop");

    const QHash<QString, PackageRef> owners = PackageLookup(tools).ownersOf({helper, gone});

    EXPECT_EQ(owners[helper].manager, Manager::Snap);
    EXPECT_EQ(owners[helper].name, QStringLiteral("my-tool"));
    EXPECT_EQ(owners[helper].version, QStringLiteral("2.0.1"));
    EXPECT_EQ(owners[gone].manager, Manager::None);
}

TEST(PackageLookupTest, MissingToolsMeanNoPackage) {
    Sandbox sandbox;
    const PackageLookup::Tools tools = toolsIn(sandbox);
    const QStringList files{sandbox.path(QStringLiteral("applications/a.desktop")),
                            tools.flatpakSystemExports + QStringLiteral("/org.example.A.desktop"),
                            tools.snapExports + QStringLiteral("/a_a.desktop")};

    const QHash<QString, PackageRef> owners = PackageLookup(tools).ownersOf(files);

    ASSERT_EQ(owners.size(), files.size());
    for (const QString& file : files)
        EXPECT_FALSE(owners[file].isPackaged()) << file.toStdString();
}

} // namespace
