#include "app/Comm/LocalizedString.h"

#include "platform/BundleLocator.h"
#include "platform/Logger.h"

#include <QDateTime>
#include <QFile>
#include <QFileInfo>
#include <QLocale>
#include <QMutex>

namespace {

struct CachedTable {
    QDateTime modified;
    qint64 size = -1;
    QHash<QString, QString> entries;
};

class Reader {
public:
    explicit Reader(const QString& text) : m_text(text) {}

    // Skips blanks and comments; false at the end of the text.
    bool skipSpace() {
        while (m_pos < m_text.size()) {
            const QChar c = m_text[m_pos];
            if (c.isSpace()) {
                ++m_pos;
            } else if (m_text.mid(m_pos, 2) == QLatin1String("//")) {
                const qsizetype end = m_text.indexOf(QLatin1Char('\n'), m_pos);
                m_pos = end < 0 ? m_text.size() : end + 1;
            } else if (m_text.mid(m_pos, 2) == QLatin1String("/*")) {
                const qsizetype end = m_text.indexOf(QLatin1String("*/"), m_pos + 2);
                m_pos = end < 0 ? m_text.size() : end + 2;
            } else {
                return true;
            }
        }
        return false;
    }

    bool expect(QChar c) {
        if (!skipSpace() || m_text[m_pos] != c)
            return false;
        ++m_pos;
        return true;
    }

    bool quoted(QString& out) {
        if (!expect(QLatin1Char('"')))
            return false;
        out.clear();
        while (m_pos < m_text.size()) {
            const QChar c = m_text[m_pos++];
            if (c == QLatin1Char('"'))
                return true;
            if (c != QLatin1Char('\\')) {
                out.append(c);
                continue;
            }
            if (m_pos >= m_text.size())
                return false;
            const QChar e = m_text[m_pos++];
            if (e == QLatin1Char('n'))
                out.append(QLatin1Char('\n'));
            else if (e == QLatin1Char('t'))
                out.append(QLatin1Char('\t'));
            else if (e == QLatin1Char('r'))
                out.append(QLatin1Char('\r'));
            else if (e == QLatin1Char('U') || e == QLatin1Char('u')) {
                bool ok = false;
                const uint code = m_text.mid(m_pos, 4).toUInt(&ok, 16);
                if (!ok || m_pos + 4 > m_text.size())
                    return false;
                out.append(QChar(static_cast<char16_t>(code)));
                m_pos += 4;
            } else
                out.append(e); // \" \\ and any other escaped character stand for themselves
        }
        return false;
    }

private:
    const QString& m_text;
    qsizetype m_pos = 0;
};

QStringList candidateLanguages() {
    QStringList out;
    // The default locale: the one the program was handed (Translations::install), else the
    // system's.
    for (QString language : QLocale().uiLanguages()) {
        language.replace(QLatin1Char('-'), QLatin1Char('_'));
        out << language << language.section(QLatin1Char('_'), 0, 0);
    }
    out << QStringLiteral("en") << QStringLiteral("Base");
    out.removeDuplicates();
    return out;
}

} // namespace

QHash<QString, QString> LocalizedStringTable::parse(const QString& text) {
    QHash<QString, QString> table;
    Reader reader(text);
    while (reader.skipSpace()) {
        QString key, value;
        if (!reader.quoted(key) || !reader.expect(QLatin1Char('=')) || !reader.quoted(value) ||
            !reader.expect(QLatin1Char(';')))
            break;
        table.insert(key, value);
    }
    return table;
}

QString LocalizedStringTable::currentTablePath() {
    const QString resources = BundleLocator::mainResourcesPath();
    if (resources.isEmpty())
        return {};
    for (const QString& language : candidateLanguages()) {
        const QString path =
            resources + QLatin1Char('/') + language + QStringLiteral(".lproj/") + kTableName;
        if (QFileInfo::exists(path))
            return path;
    }
    return {};
}

QString getLocalizedString(const QString& key) {
    static QMutex mutex;
    static QHash<QString, CachedTable> cache;

    const QString path = LocalizedStringTable::currentTablePath();
    if (path.isEmpty())
        return {};
    const QFileInfo info(path);
    QMutexLocker lock(&mutex);
    CachedTable& cached = cache[path];
    if (cached.modified != info.lastModified() || cached.size != info.size()) {
        QFile file(path);
        if (!file.open(QIODevice::ReadOnly)) {
            Logger::log(
                QStringLiteral("read localized strings %1: %2").arg(path, file.errorString()));
            return {};
        }
        cached.entries = LocalizedStringTable::parse(QString::fromUtf8(file.readAll()));
        cached.modified = info.lastModified();
        cached.size = info.size();
    }
    return cached.entries.value(key);
}
