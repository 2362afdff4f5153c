#include "app/Comm/PublicUtilities.h"

#include "app/Comm/NetworkCheck.h"
#include "app/Comm/SettingsStore.h"
#include "app/Comm/SizeText.h"
#include "app/Comm/UserDefaults.h"
#include "app/SetEraserLevel/EraserStandard.h"
#include "platform/Logger.h"
#include "platform/SolidStateCheck.h"

#include <cerrno>
#include <cstring>
#include <sys/utsname.h>

QString PublicUtilities::getUpDataHistoryStr(const QString& key) {
    return SettingsStore::mainStore().value(key);
}

bool PublicUtilities::writeUpDataHistoryStr(const QString& key, const QString& value) {
    return SettingsStore::mainStore().setValue(key, value);
}

QString PublicUtilities::getEraserTimes() {
    return EraserStandard::nameForLevel(UserDefaults::mainProgram().eraserTimes());
}

QString PublicUtilities::longlongDiskSize(qint64 bytes) {
    return SizeText::withTerabytes(bytes);
}

QString PublicUtilities::longlongConvertVolSpace(qint64 bytes) {
    return SizeText::withTerabytes(bytes);
}

QString PublicUtilities::convertVolSpace(quint64 bytes) {
    return SizeText::withoutTerabytes(bytes);
}

quint64 PublicUtilities::volSpaceFromString(const QString& text) {
    return SizeText::parseSinglePrecision(text);
}

bool PublicUtilities::parseSystemVersion(const QByteArray& release, quint32* major, quint32* minor,
                                         quint32* bugFix) {
    quint32 parts[3] = {0, 0, 0};
    qsizetype i = 0;
    for (int part = 0; part < 3; ++part) {
        if (part > 0) {
            if (i >= release.size() || release[i] != '.')
                break;
            ++i;
        }
        const qsizetype start = i;
        quint64 value = 0;
        while (i < release.size() && release[i] >= '0' && release[i] <= '9' && value <= 0xFFFFFFFF)
            value = value * 10 + static_cast<quint64>(release[i++] - '0');
        if (i == start || value > 0xFFFFFFFF) {
            if (part == 0)
                return false;
            break;
        }
        parts[part] = static_cast<quint32>(value);
    }
    if (major)
        *major = parts[0];
    if (minor)
        *minor = parts[1];
    if (bugFix)
        *bugFix = parts[2];
    return true;
}

void PublicUtilities::getSystemVersion(quint32* major, quint32* minor, quint32* bugFix) {
    // The kernel release: present on every distribution, always numeric, and what the program's
    // platform interfaces (sysfs, FUSE, mount tables) actually depend on.
    struct utsname names {};
    if (uname(&names) != 0) {
        const QString reason =
            QStringLiteral("uname: ") + QString::fromLocal8Bit(std::strerror(errno));
        systemVersionFromRelease(QByteArray(), major, minor, bugFix, reason);
        return;
    }
    systemVersionFromRelease(QByteArray(names.release), major, minor, bugFix);
}

bool PublicUtilities::systemVersionFromRelease(const QByteArray& release, quint32* major,
                                               quint32* minor, quint32* bugFix,
                                               const QString& failure) {
    if (failure.isEmpty() && parseSystemVersion(release, major, minor, bugFix))
        return true;
    const QString reason =
        failure.isEmpty()
            ? QStringLiteral("unreadable release \"%1\"").arg(QString::fromLocal8Bit(release))
            : failure;
    Logger::log(QStringLiteral("Unable to obtain system version: %1").arg(reason));
    if (major)
        *major = 10;
    if (minor)
        *minor = 0;
    if (bugFix)
        *bugFix = 0;
    return false;
}

qint32 PublicUtilities::systemVersionNumber(quint32 major, quint32 minor) {
    const QString text =
        QString::number(major) + QStringLiteral("%1").arg(minor, 2, 10, QLatin1Char('0'));
    return text.toInt();
}

qint32 PublicUtilities::getSystemVersion() {
    quint32 major = 0, minor = 0;
    getSystemVersion(&major, &minor, nullptr);
    return systemVersionNumber(major, minor);
}

bool PublicUtilities::isCanBeUseNetWork() {
    return NetworkCheck::run();
}

bool PublicUtilities::isSolidState(const QString& path) {
    return SolidStateCheck().isSolidState(path);
}
