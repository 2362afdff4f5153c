#pragma once

#include "app/Certificate/CertificateKey.h"
#include "app/Certificate/ErasureFacts.h"
#include "app/inter/HistoryRecord.h"
#include "app/inter/HistoryStatus.h"

#include <QJsonObject>
#include <QString>
#include <QStringList>

class DoDataBase;

// The certificate of one history entry, as one JSON object whose fields docs/certificate.md and
// docs/certificate.schema.json describe. Every value is a string or an integer; a fact that was
// not recorded, or could not be read when the erasure ran, is the string "not available". The
// JSON, HTML and PDF forms are all made from this one object.
class ErasureCertificate {
public:
    static inline const QString kNotAvailable = QStringLiteral("not available");
    static inline const QString kFormatName = QStringLiteral("korvane-erasure-certificate");
    static constexpr int kFormatVersion = 1;

    // The certificate (unsigned) of entry KEY of the kinds TYPES ("WipeFile", "WipeVolume")
    // with its RECORDS and the FACTS recorded with it (empty for an entry written before facts
    // were kept: what only they hold is then "not available").
    static QJsonObject build(const QString& key, const QStringList& types,
                             const HistoryRecords& records, const ErasureFacts& facts);

    struct Loaded {
        HistoryStatus status; // the history's
        QString error;        // no such entry, or it could not be signed
        QJsonObject document; // signed
        bool ok() const { return status.ok() && error.isEmpty(); }
    };
    // Reads entry KEY from HISTORY and signs its certificate with SIGNER (made at first use).
    static Loaded forEntry(DoDataBase& history, const QString& key, const CertificateKey& signer);

    // The kind of erasure an entry without facts was, from its kind and first line.
    static QString kindOf(const QStringList& types, const HistoryRecords& records);
};
