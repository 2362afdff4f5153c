#include "app/Job/DriveSanitizeInfo.h"

#include "app/Main/WipeDisk/DiskUtil.h"

DriveSanitizeInfo DriveSanitizeInfo::ask(const QString& device) {
    QByteArray out;
    QString problem;
    if (!DiskUtil::run({QStringLiteral("sanitize-info"), device}, &out, &problem, 120000)) {
        DriveSanitizeInfo info;
        info.m_problem = problem;
        return info;
    }
    return parse(out);
}

DriveSanitizeInfo DriveSanitizeInfo::parse(const QByteArray& output) {
    DriveSanitizeInfo info;
    for (const QString& line : QString::fromUtf8(output).split(QLatin1Char('\n'))) {
        const QString word = line.section(QLatin1Char(' '), 0, 0);
        const QString rest = line.section(QLatin1Char(' '), 1);
        if (word == QLatin1String("device"))
            info.m_asked = true;
        else if (word == QLatin1String("hidden"))
            info.m_hidden << rest;
        else if (word == QLatin1String("note"))
            info.m_notes << rest;
        else if (line.startsWith(QLatin1String("choice auto ")))
            info.m_auto = line.mid(12);
        else if (line.startsWith(QLatin1String("choice sanitize ")))
            info.m_sanitize = line.mid(16);
    }
    if (!info.m_asked)
        info.m_problem = QStringLiteral("the volume tool said nothing of the drive");
    return info;
}

DriveSanitizeInfo::Choice DriveSanitizeInfo::choice(const QString& method) const {
    Choice choice;
    const QString& said = method == QLatin1String("auto")       ? m_auto
                          : method == QLatin1String("sanitize") ? m_sanitize
                                                                : QString();
    // "sanitize ID Purge (...)", "refused WHY" or "overwrite".
    if (said.startsWith(QLatin1String("sanitize "))) {
        choice.kind = Choice::Kind::Sanitize;
        choice.methodText = said.section(QLatin1Char(' '), 2);
    } else if (said.startsWith(QLatin1String("refused "))) {
        choice.kind = Choice::Kind::Refused;
        choice.why = said.mid(8);
    }
    return choice;
}
