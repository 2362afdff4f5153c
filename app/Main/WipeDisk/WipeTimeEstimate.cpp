#include "app/Main/WipeDisk/WipeTimeEstimate.h"

#include "app/Main/WipeDisk/DriveWipeMeter.h"
#include "app/Main/WipeDisk/VolumeObj.h"

#include <QCoreApplication>
#include <algorithm>

qint64 WipeTimeEstimate::seconds(quint64 bytes, int passes, qint64 bytesPerSecond) {
    const qint64 speed = bytesPerSecond > 0 ? bytesPerSecond : kConservativeBytesPerSecond;
    const double total = double(bytes) * double(std::max(1, passes));
    return qint64(total / double(speed) + 0.5);
}

QString WipeTimeEstimate::beforeText(quint64 bytes, int passes, qint64 bytesPerSecond) {
    const bool measured = bytesPerSecond > 0;
    const qint64 speed = measured ? bytesPerSecond : kConservativeBytesPerSecond;
    const QString size = VolumeObj::byteToSizeWithByte(qint64(bytes));
    const QString rate = VolumeObj::byteToSizeWithByte(speed) + QStringLiteral("/s");
    const int count = std::max(1, passes);
    const QString work =
        count == 1 ? QCoreApplication::translate("WipeTimeEstimate", "%1 × 1 pass").arg(size)
                   : QCoreApplication::translate("WipeTimeEstimate", "%1 × %2 passes")
                         .arg(size, QString::number(count));
    return (measured ? QCoreApplication::translate(
                           "WipeTimeEstimate",
                           "Estimated time: about %1 (%2 at %3, as measured on this device).")
                     : QCoreApplication::translate(
                           "WipeTimeEstimate",
                           "Estimated time: about %1 (%2 at %3, a cautious speed; the real one "
                           "depends on the device)."))
        .arg(DriveWipeMeter::durationText(seconds(bytes, passes, speed)), work, rate);
}

double WipeTimeEstimate::fractionDone(double percent, int pass, int passes) {
    if (passes < 1)
        return 0;
    const int under = std::clamp(pass, 1, passes);
    return std::clamp((double(under - 1) + std::clamp(percent, 0.0, 100.0) / 100.0) / passes, 0.0,
                      1.0);
}

qint64 WipeTimeEstimate::secondsLeft(double fraction, qint64 elapsedMs) {
    // Below 1 % (or within the first seconds) the pace is mostly start-up.
    if (fraction < 0.01 || elapsedMs < 2000)
        return -1;
    return qint64(double(elapsedMs) / 1000.0 * (1.0 - fraction) / fraction + 0.5);
}

QString WipeTimeEstimate::leftText(double fraction, qint64 elapsedMs) {
    const qint64 left = secondsLeft(fraction, elapsedMs);
    if (left < 0)
        return {};
    return QCoreApplication::translate("WipeTimeEstimate", "about %1 left (estimate)")
        .arg(DriveWipeMeter::durationText(left));
}
