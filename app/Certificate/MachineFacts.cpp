#include "app/Certificate/MachineFacts.h"

#include <QFile>
#include <QSysInfo>

namespace {

QString firstLine(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return QString::fromUtf8(file.readLine(256)).trimmed();
}

} // namespace

QString MachineFacts::meaningful(const QString& text) {
    static const QStringList placeholders = {
        QStringLiteral("To Be Filled By O.E.M."),
        QStringLiteral("Default string"),
        QStringLiteral("System Product Name"),
        QStringLiteral("System Serial Number"),
        QStringLiteral("System manufacturer"),
        QStringLiteral("Not Specified"),
        QStringLiteral("None"),
        QStringLiteral("0"),
        QStringLiteral("O.E.M."),
    };
    const QString trimmed = text.trimmed();
    for (const QString& placeholder : placeholders)
        if (trimmed.compare(placeholder, Qt::CaseInsensitive) == 0)
            return {};
    return trimmed;
}

MachineFacts MachineFacts::readFrom(const QString& folder) {
    MachineFacts facts;
    facts.hostName = QSysInfo::machineHostName();
    facts.vendor = meaningful(firstLine(folder + QStringLiteral("/sys_vendor")));
    facts.product = meaningful(firstLine(folder + QStringLiteral("/product_name")));
    facts.serial = meaningful(firstLine(folder + QStringLiteral("/product_serial")));
    return facts;
}

MachineFacts MachineFacts::read() {
    return readFrom(QStringLiteral("/sys/class/dmi/id"));
}
