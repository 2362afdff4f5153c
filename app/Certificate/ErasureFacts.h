#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QJsonObject>
#include <QList>
#include <QString>
#include <QStringList>

// What a certificate says about one erasure, recorded by the job when the erasure ends and kept
// with its history entry (DoDataBase, table ErasureFacts) as JSON. What could not be read stays
// empty (a number: -1) and the certificate says "not available"; nothing is guessed later.
// docs/certificate.md lists each field and where it is read from.
struct ErasureFacts {
    static constexpr int kFormat = 1; // the version of this JSON form

    // The kinds of erasure, as the "kind" field spells them.
    static inline const QString kFiles = QStringLiteral("files");
    static inline const QString kFreeSpace = QStringLiteral("freeSpace");
    static inline const QString kVolume = QStringLiteral("volume");
    static inline const QString kDrive = QStringLiteral("drive");

    struct File {
        QString path;
        qint64 bytes = -1;
        QString result;
        friend bool operator==(const File&, const File&) = default;
    };

    QString id; // a UUID, made when the erasure began
    QString kind;
    QDateTime started; // UTC
    QDateTime ended;
    // The program that erased.
    QString programVersion;
    QString programBuild;
    // The computer it ran on.
    QString hostName;
    QString computerVendor;
    QString computerProduct;
    QString computerSerial;
    // Who, from the settings at the time (may be empty).
    QString organisation;
    QString operatorName;
    QString validator;
    QString location;
    // The target: a volume or a drive.
    QString device;
    QString model;
    QString serial;
    qint64 sizeBytes = -1;
    QString medium;    // "solid state", "rotational"
    QString transport; // "USB", "SATA", "NVMe", …
    QString fileSystem;
    QString label;
    // The target: files.
    QList<File> files;
    // How.
    QString method;    // "Clear" or "Purge", in the sense of the media sanitization guidelines
    QString technique; // the standard and its passes, or the firmware command
    QString standard;  // the erasure standard's name, when one ran
    int passes = -1;
    QString verificationMethod;
    QString verificationCoverage;
    QString verificationResult;
    QStringList errors;
    int retries = -1;
    QString outcome;    // "Erased", "Failed", "Stopped", "Emptied, free space not overwritten", …
    QJsonObject health; // DriveHealth::read(): smartctl's model, serial, hours, sectors

    // A new record for an erasure of KIND that begins now: its id, start, the program, the
    // computer and the organisation fields are filled in.
    static ErasureFacts begin(const QString& kind);
    // Sets the end time and the outcome.
    void finish(const QString& outcomeText);
    // Fills the device fields of the volume or drive DEVICE (model, serial, size, medium,
    // transport) where they can be read; the file system and label when given.
    void describeDevice(const QString& devicePath, const QString& fsType = QString(),
                        const QString& volumeLabel = QString());

    qint64 fileBytes() const; // total of the files' bytes that are known

    QJsonObject toJson() const;
    QByteArray toBytes() const;
    static ErasureFacts fromJson(const QJsonObject& object);
    // Empty facts (every field "not available") for BYTES that are empty or not this form.
    static ErasureFacts fromBytes(const QByteArray& bytes);
};
