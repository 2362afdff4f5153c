#include "app/inter/FirefoxProfiles.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace {

QString value(const QList<std::pair<QString, QString>>& keys, const char* key) {
    for (const auto& [k, v] : keys)
        if (k == QLatin1String(key))
            return v;
    return {};
}

QString resolve(const QString& folder, const QString& path, bool relative, const QString& home) {
    if (path.isEmpty())
        return {};
    const QString full = QDir::cleanPath(relative ? folder + QLatin1Char('/') + path : path);
    if (!full.startsWith(home + QLatin1Char('/')))
        return {};
    // A folder reached through a link could be anywhere: only a real one within HOME.
    const QFileInfo info(full);
    if (!info.isDir() || !info.canonicalFilePath().startsWith(QDir(home).canonicalPath() + '/'))
        return {};
    return full;
}

} // namespace

QList<std::pair<QString, QList<std::pair<QString, QString>>>>
FirefoxProfiles::parseIni(const QByteArray& text) {
    QList<std::pair<QString, QList<std::pair<QString, QString>>>> sections;
    for (QByteArray line : text.split('\n')) {
        line = line.trimmed();
        if (line.isEmpty() || line.startsWith(';') || line.startsWith('#'))
            continue;
        if (line.startsWith('[') && line.endsWith(']')) {
            sections.append({QString::fromUtf8(line.mid(1, line.size() - 2)), {}});
            continue;
        }
        const qsizetype eq = line.indexOf('=');
        if (eq <= 0 || sections.isEmpty())
            continue;
        sections.last().second.append({QString::fromUtf8(line.left(eq).trimmed()),
                                       QString::fromUtf8(line.mid(eq + 1).trimmed())});
    }
    return sections;
}

FirefoxProfiles::Found FirefoxProfiles::read(const QString& profilesFolder, const QString& home) {
    Found found;
    QStringList installs, listed;
    for (const char* name : {"installs.ini", "profiles.ini"}) {
        QFile file(profilesFolder + QLatin1Char('/') + QLatin1String(name));
        if (!file.open(QIODevice::ReadOnly))
            continue;
        for (const auto& [section, keys] : parseIni(file.read(1 << 20))) {
            if (section.startsWith(QLatin1String("Install")) || name[0] == 'i') {
                // An install's Default is relative to the profiles folder unless absolute.
                const QString path = value(keys, "Default");
                installs << resolve(profilesFolder, path, !path.startsWith('/'), home);
            } else if (section.startsWith(QLatin1String("Profile"))) {
                const bool relative = value(keys, "IsRelative") != QLatin1String("0");
                listed << resolve(profilesFolder, value(keys, "Path"), relative, home);
            }
        }
    }
    for (const QString& path : installs + listed)
        if (!path.isEmpty() && !found.paths.contains(path))
            found.paths << path;
    for (const QString& path : installs)
        if (!path.isEmpty()) {
            found.installDefault = path;
            break;
        }
    return found;
}
