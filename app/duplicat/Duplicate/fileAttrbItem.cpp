#include "app/duplicat/Duplicate/fileAttrbItem.h"

QDateTime fileAttrbItem::ModificationDate() const {
    return QDateTime::fromMSecsSinceEpoch(mtimeSec * 1000 + mtimeNsec / 1000000);
}

QString fileAttrbItem::displayPath(const QByteArray& nativePath) {
    return QString::fromUtf8(nativePath);
}
