#include "UninstallFixture.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace {

QString array(const QStringList& folders) {
    QString out = QStringLiteral("<array>");
    for (const QString& f : folders)
        out += QStringLiteral("<string>%1</string>").arg(f);
    return out + QStringLiteral("</array>");
}

} // namespace

UninstallFixture::UninstallFixture() {
    const QString s = system();
    struct Kind {
        const char* key;
        QStringList user, local;
    };
    const QList<Kind> kinds = {
        {"Applications",
         {"~/.local/share/applications", "~/Applications"},
         {s + "/usr/share/applications"}},
        {"Widgets", {"~/.local/share/gnome-shell/extensions"}, {s + "/usr/share/plasma/plasmoids"}},
        {"Plugins", {"~/.mozilla/plugins"}, {s + "/usr/lib/gstreamer-1.0"}},
        {"Preferences", {"~/.config"}, {s + "/etc"}},
        {"Caches", {"~/.cache"}, {s + "/var/cache"}},
        {"Logs", {"~/.local/state"}, {s + "/var/log"}},
        {"SavedState", {"~/.local/state"}, {}},
        {"AppSupport", {"~/.local/share", "~/.var/app"}, {s + "/var/lib"}},
        {"Downloads", {"$DOWNLOAD"}, {}},
    };
    QString plist = QStringLiteral("<?xml version=\"1.0\" encoding=\"UTF-8\"?><plist "
                                   "version=\"1.0\"><dict>");
    for (const Kind& k : kinds)
        plist += QStringLiteral("<key>%1</key><dict><key>user</key>%2<key>local</key>%3</dict>")
                     .arg(QLatin1String(k.key), array(k.user), array(k.local));
    plist += QStringLiteral("<key>PluginSuffixes</key>%1<key>SystemPrefixes</key>%2</dict></plist>")
                 .arg(array({".so", ".py"}), array({"org.gnome.", "debian-"}));
    m_plist = write(m_dir.path() + QStringLiteral("/UninstallerFolders.plist"), plist.toUtf8());
    QDir().mkpath(home());
}

UninstallFolders UninstallFixture::folders() const {
    return UninstallFolders::load(m_plist, home(), home() + QStringLiteral("/Downloads"));
}

QString UninstallFixture::write(const QString& path, const QByteArray& content) {
    QDir().mkpath(QFileInfo(path).path());
    QFile file(path);
    if (file.open(QIODevice::WriteOnly))
        file.write(content);
    return path;
}

QString UninstallFixture::desktopEntry(const QString& path, const QString& name,
                                       const QString& extra) {
    return write(path,
                 QStringLiteral("[Desktop Entry]\nType=Application\nName=%1\nExec=%2 %U\n%3\n")
                     .arg(name, name.toLower().remove(QLatin1Char(' ')), extra)
                     .toUtf8());
}
