#pragma once

#include <QString>
#include <QStringList>

// Who a certificate names: the organisation, the operator who erased, the validator who checked
// and the place. Kept in the settings store (SettingsStore::mainStore), which the window and
// `korvane` share; every field may be empty.
struct CertificateSettings {
    QString organisation;
    QString operatorName;
    QString validator;
    QString location;

    // The field names as `korvane settings` takes them.
    static QStringList fieldNames();
    // The settings store key of FIELD ("CertificateOrganisation"); empty for an unknown field.
    static QString storeKey(const QString& field);

    static CertificateSettings read();
    QString value(const QString& field) const;
    // Stores VALUE for FIELD. False when the field is unknown, the value holds a control
    // character or is longer than 200 characters, or the store could not be written (ERROR).
    static bool write(const QString& field, const QString& value, QString* error = nullptr);
};
