#include "app/inter/FirefoxProfiles.h"

#include <QDir>
#include <QFile>

namespace {

QString value(const QList<std::pair<QString, QString>>& keys, const char* key) {
    for (const auto& [k, v] : keys)
        if (k == QLatin1String(key))
            return v;
    return {};
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

QStringList FirefoxProfiles::read(const QString& profilesFolder) {
    QStringList installs, listed;
    auto entry = [&](const QString& path, bool relative) -> QString {
        if (path.isEmpty())
            return {};
        if (relative)
            return QDir::cleanPath(profilesFolder + QLatin1Char('/') + path);
        return path.startsWith(QLatin1Char('/')) ? QDir::cleanPath(path) : QString();
    };
    for (const char* name : {"installs.ini", "profiles.ini"}) {
        QFile file(profilesFolder + QLatin1Char('/') + QLatin1String(name));
        if (!file.open(QIODevice::ReadOnly))
            continue;
        for (const auto& [section, keys] : parseIni(file.read(1 << 20))) {
            if (section.startsWith(QLatin1String("Install")) || name[0] == 'i') {
                // An install's Default is relative to the profiles folder unless absolute.
                const QString path = value(keys, "Default");
                installs << entry(path, !path.startsWith(QLatin1Char('/')));
            } else if (section.startsWith(QLatin1String("Profile"))) {
                listed << entry(value(keys, "Path"),
                                value(keys, "IsRelative") != QLatin1String("0"));
            }
        }
    }
    QStringList out;
    for (const QString& path : installs + listed)
        if (!path.isEmpty() && !out.contains(path))
            out << path;
    return out;
}
