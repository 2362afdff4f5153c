#include "app/uninstall/DesktopEntry.h"

#include <QFile>
#include <QStringList>

namespace {

// The language keys to try, most specific first: de_DE@euro, de_DE, de@euro, de.
QStringList languageKeys(QString lang) {
    lang = lang.section(QLatin1Char('.'), 0, 0); // no encoding
    QString modifier;
    if (const qsizetype at = lang.indexOf(QLatin1Char('@')); at >= 0) {
        modifier = lang.mid(at);
        lang = lang.left(at);
    }
    const QString language = lang.section(QLatin1Char('_'), 0, 0);
    QStringList keys;
    if (!modifier.isEmpty())
        keys << lang + modifier;
    keys << lang;
    if (!modifier.isEmpty() && language != lang)
        keys << language + modifier;
    if (language != lang)
        keys << language;
    keys.removeAll(QString());
    keys.removeDuplicates();
    return keys;
}

bool isTrue(const QString& value) {
    return value.trimmed() == QLatin1String("true");
}

// Desktop entry value escapes (\s, \n, \t, \r, \\).
QString unescape(const QString& value) {
    QString out;
    out.reserve(value.size());
    for (qsizetype i = 0; i < value.size(); ++i) {
        if (value[i] != QLatin1Char('\\') || i + 1 == value.size()) {
            out += value[i];
            continue;
        }
        const QChar next = value[++i];
        out += next == QLatin1Char('s')   ? QChar(' ')
               : next == QLatin1Char('n') ? QChar('\n')
               : next == QLatin1Char('t') ? QChar('\t')
               : next == QLatin1Char('r') ? QChar('\r')
                                          : next;
    }
    return out;
}

} // namespace

bool DesktopEntry::read(const QString& path, DesktopEntry& entry, const QString& language) {
    entry = DesktopEntry();
    QFile file(path);
    // Desktop entries are small; a huge file is not one.
    if (!file.open(QIODevice::ReadOnly) || file.size() > (1 << 20))
        return false;
    const QStringList keys =
        languageKeys(language.isEmpty() ? QString::fromLocal8Bit(qgetenv("LANG")) : language);
    int bestRank = int(keys.size());
    bool inGroup = false, found = false;
    for (const QByteArray& raw : file.readAll().split('\n')) {
        const QString line = QString::fromUtf8(raw).trimmed();
        if (line.isEmpty() || line.startsWith(QLatin1Char('#')))
            continue;
        if (line.startsWith(QLatin1Char('['))) {
            inGroup = line == QLatin1String("[Desktop Entry]");
            found = found || inGroup;
            continue;
        }
        if (!inGroup)
            continue;
        const qsizetype eq = line.indexOf(QLatin1Char('='));
        if (eq <= 0)
            continue;
        const QString key = line.left(eq).trimmed();
        const QString value = unescape(line.mid(eq + 1).trimmed());
        if (key == QLatin1String("Type"))
            entry.type = value;
        else if (key == QLatin1String("Name"))
            entry.name = value;
        else if (key.startsWith(QLatin1String("Name[")) && key.endsWith(QLatin1Char(']'))) {
            const int rank = int(keys.indexOf(key.mid(5, key.size() - 6)));
            if (rank >= 0 && rank < bestRank) {
                bestRank = rank;
                entry.localizedName = value;
            }
        } else if (key == QLatin1String("Exec"))
            entry.exec = value;
        else if (key == QLatin1String("Icon"))
            entry.icon = value;
        else if (key == QLatin1String("X-AppImage-Version"))
            entry.appImageVersion = value;
        else if (key == QLatin1String("Hidden"))
            entry.hidden = isTrue(value);
        else if (key == QLatin1String("NoDisplay"))
            entry.noDisplay = isTrue(value);
    }
    if (entry.localizedName.isEmpty())
        entry.localizedName = entry.name;
    return found;
}

QString DesktopEntry::program() const {
    const QString text = exec.trimmed();
    if (text.isEmpty())
        return {};
    QString word;
    bool quoted = false;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c == QLatin1Char('"')) {
            quoted = !quoted;
            continue;
        }
        if (c == QLatin1Char('\\') && quoted && i + 1 < text.size()) {
            word += text[++i];
            continue;
        }
        if (c.isSpace() && !quoted)
            break;
        word += c;
    }
    // "env VAR=x program": the program is the first word that is not an assignment.
    if (word == QLatin1String("env") || word.endsWith(QLatin1String("/env"))) {
        const QStringList parts = text.split(QLatin1Char(' '), Qt::SkipEmptyParts);
        for (qsizetype i = 1; i < parts.size(); ++i)
            if (!parts[i].contains(QLatin1Char('=')))
                return parts[i];
    }
    return word;
}
