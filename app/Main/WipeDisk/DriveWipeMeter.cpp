#include "app/Main/WipeDisk/DriveWipeMeter.h"

#include "app/Main/WipeDisk/VolumeObj.h"

#include <QCoreApplication>
#include <algorithm>

namespace {
using Stage = DestructiveOperation::Stage;

// The speed is measured over this much time: long enough to even out the flushes between
// passes, short enough to follow a drive that slows down.
constexpr qint64 kWindowMs = 5000;
// Below this span no speed is said: the first reports would give wild figures.
constexpr qint64 kLeastSpanMs = 500;
} // namespace

void DriveWipeMeter::add(const DestructiveOperation::Progress& report, qint64 msecs) {
    if (report.stage != Stage::Overwriting && report.stage != Stage::Verifying)
        return;
    if (m_started && report.stage != m_last.stage)
        m_samples.clear(); // reading runs at its own speed
    if (report.stage == Stage::Overwriting)
        m_writeTotal = report.total;
    m_started = true;
    m_last = report;
    m_samples.append({msecs, report.done});
    while (m_samples.size() > 2 && msecs - m_samples.at(1).msecs >= kWindowMs)
        m_samples.removeFirst();
}

qint64 DriveWipeMeter::perPass() const {
    return m_last.passes > 0 ? m_writeTotal / m_last.passes : m_writeTotal;
}

double DriveWipeMeter::fraction() const {
    if (!m_started || m_last.total <= 0)
        return 0;
    const qint64 readTotal = m_readsBack ? perPass() : 0;
    double value = 0;
    if (m_last.stage == Stage::Overwriting)
        value = double(m_last.done) / double(m_last.total + readTotal);
    else // the passes are behind; the reading back has its own total
        value = double(m_writeTotal + m_last.done) / double(m_writeTotal + m_last.total);
    return std::clamp(value, 0.0, 1.0);
}

qint64 DriveWipeMeter::bytesPerSecond() const {
    if (m_samples.size() < 2)
        return 0;
    const Sample& first = m_samples.first();
    const Sample& last = m_samples.last();
    const qint64 span = last.msecs - first.msecs;
    if (span < kLeastSpanMs || last.done < first.done)
        return 0;
    return (last.done - first.done) * 1000 / span;
}

qint64 DriveWipeMeter::secondsLeft() const {
    const qint64 speed = bytesPerSecond();
    if (speed <= 0)
        return -1;
    qint64 left = std::max<qint64>(0, m_last.total - m_last.done);
    if (m_last.stage == Stage::Overwriting && m_readsBack)
        left += perPass(); // read back at about the speed it was written
    return (left + speed - 1) / speed;
}

QString DriveWipeMeter::durationText(qint64 seconds) {
    if (seconds < 60)
        return tr("%1 s").arg(seconds);
    if (seconds < 3600)
        return tr("%1 min %2 s").arg(seconds / 60).arg(seconds % 60, 2, 10, QLatin1Char('0'));
    return tr("%1 h %2 min").arg(seconds / 3600).arg((seconds / 60) % 60, 2, 10, QLatin1Char('0'));
}

QString DriveWipeMeter::text() const {
    if (!m_started)
        return tr("Waiting to start…");
    QStringList parts;
    if (m_last.stage == Stage::Overwriting) {
        const qint64 pass = perPass();
        const qint64 inPass = m_last.done - qint64(std::max(0, m_last.pass - 1)) * pass;
        parts << tr("Pass %1 of %2").arg(m_last.pass).arg(m_last.passes)
              << tr("%1 of %2")
                     .arg(VolumeObj::byteToSizeWithByte(inPass),
                          VolumeObj::byteToSizeWithByte(pass));
    } else {
        parts << tr("Reading back")
              << tr("%1 of %2")
                     .arg(VolumeObj::byteToSizeWithByte(m_last.done),
                          VolumeObj::byteToSizeWithByte(m_last.total));
    }
    if (const qint64 speed = bytesPerSecond(); speed > 0)
        parts << QStringLiteral("%1/s").arg(VolumeObj::byteToSizeWithByte(speed));
    if (const qint64 left = secondsLeft(); left >= 0)
        parts << tr("%1 left").arg(durationText(left));
    return parts.join(QStringLiteral(" · "));
}
