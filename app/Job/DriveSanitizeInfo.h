#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

// What the volume tool says a drive's firmware offers to erase itself (`diskutil sanitize-info
// DEVICE`, a read verb) and which way its wipe goes for each method: the firmware's erase (a
// Purge), an overwrite (a Clear) or a refusal (a frozen drive, nothing offered, a partition).
// Also the areas hidden past the drive's visible end. The plan of the drive wipe shows these.
class DriveSanitizeInfo {
public:
    struct Choice {
        enum class Kind { Overwrite, Sanitize, Refused };
        Kind kind = Kind::Overwrite;
        QString methodText; // "Purge (NVMe sanitize, crypto erase)", for Sanitize
        QString why;        // for Refused
    };

    // Runs the tool; asked() is false (with problem()) when it could not say.
    static DriveSanitizeInfo ask(const QString& device);
    static DriveSanitizeInfo parse(const QByteArray& output);

    bool asked() const { return m_asked; }
    const QString& problem() const { return m_problem; }
    // For METHOD "overwrite", "sanitize" or "auto".
    Choice choice(const QString& method) const;
    // The tool's "hidden DEVICE ..." lines without the word "hidden".
    const QStringList& hidden() const { return m_hidden; }
    // What to know about the firmware erase ("note ..." lines).
    const QStringList& notes() const { return m_notes; }

private:
    bool m_asked = false;
    QString m_problem;
    QString m_auto, m_sanitize; // the "choice auto ..." and "choice sanitize ..." lines' rest
    QStringList m_hidden, m_notes;
};
