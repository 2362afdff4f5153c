#include "app/inter/BrowerObj.h"

#include "app/Comm/SizeText.h"

#include <QCoreApplication>
#include <QStringList>
#include <algorithm>
#include <climits>

namespace {

QString shownCount(qint64 count) {
    const int n = count > INT_MAX ? INT_MAX : int(count);
    return QCoreApplication::translate("BrowerObj", "%n item(s)", nullptr, n);
}

} // namespace

qint64 BrowerObj::totalCount() const {
    qint64 total = 0;
    for (const Target& t : targets)
        if (t.state != State::Cleaned && t.known && !t.rule.count.sql.isEmpty())
            total += t.count;
    for (const BrowerObjPtr& kind : chrArr)
        total += kind->totalCount();
    return total;
}

quint64 BrowerObj::totalBytes() const {
    quint64 total = 0;
    for (const Target& t : targets)
        if (t.state != State::Cleaned)
            total += t.bytes;
    for (const BrowerObjPtr& kind : chrArr)
        total += kind->totalBytes();
    return total;
}

bool BrowerObj::unknown() const {
    // A browser whose data folder was not followed has nothing known about it, not nothing.
    if (parObj && parObj->profiles.isEmpty() && !parObj->refusals.isEmpty())
        return true;
    for (const Target& t : targets)
        if (t.state != State::Cleaned && !t.known)
            return true;
    return false;
}

QString BrowerObj::sizeText() const {
    if (!isBrowser() && unknown())
        return kUnknown;
    if (storage == Storage::Database && !isBrowser()) {
        const qint64 n = totalCount();
        if (n == 0)
            return QStringLiteral("0 Item");
        return n == 1 ? QStringLiteral("%1 Item").arg(n) : QStringLiteral("%1 Items").arg(n);
    }
    const quint64 bytes = totalBytes();
    const QString size =
        bytes == 0 ? QStringLiteral("0 byte") : SizeText::withTerabytes(qint64(bytes));
    // A browser holds both: its entries and the size of its files.
    const qint64 entries = isBrowser() ? totalCount() : 0;
    if (entries > 0)
        return (entries == 1 ? QStringLiteral("%1 Item") : QStringLiteral("%1 Items"))
                   .arg(entries) +
               (bytes > 0 ? QStringLiteral(", ") + size : QString());
    return size;
}

QString BrowerObj::shownSize() const {
    if (!isBrowser() && unknown())
        return QCoreApplication::translate("BrowerObj", "unknown");
    if (storage == Storage::Database && !isBrowser())
        return shownCount(totalCount());
    const quint64 bytes = totalBytes();
    const QString size = bytes == 0 ? QCoreApplication::translate("BrowerObj", "0 bytes")
                                    : SizeText::shownWithTerabytes(qint64(bytes));
    // A browser holds both: its entries and the size of its files.
    const qint64 entries = isBrowser() ? totalCount() : 0;
    if (entries > 0 && bytes > 0)
        return QCoreApplication::translate("BrowerObj", "%1, %2").arg(shownCount(entries), size);
    return entries > 0 ? shownCount(entries) : size;
}

QStringList BrowerObj::problems() const {
    QStringList out;
    for (const Target& t : targets)
        if (!t.problem.isEmpty())
            out << QStringLiteral("%1: %2").arg(t.path, t.problem);
    return out;
}

bool BrowerObj::allCleaned() const {
    for (const Target& t : targets)
        if (t.state != State::Cleaned)
            return false;
    return true;
}

QString BrowerObj::pictureOf(const QString& kind) {
    if (kind == QLatin1String("Browsing History"))
        return QStringLiteral("icon_history");
    if (kind == QLatin1String("Session"))
        return QStringLiteral("icon_autofill");
    if (kind == QLatin1String("Caches"))
        return QStringLiteral("icon_caches");
    if (kind == QLatin1String("Cookies"))
        return QStringLiteral("icon_cookies");
    if (kind == QLatin1String("Download History") || kind == QLatin1String("Downloads History"))
        return QStringLiteral("icon_download");
    if (kind == QLatin1String("Save Password"))
        return QStringLiteral("icon_password");
    if (kind == QLatin1String("Form Values"))
        return QStringLiteral("icon_tabform");
    return {};
}
