#include "app/Certificate/CertificateSettings.h"

#include "app/Comm/SettingsStore.h"

#include <algorithm>

QStringList CertificateSettings::fieldNames() {
    return {QStringLiteral("organisation"), QStringLiteral("operator"), QStringLiteral("validator"),
            QStringLiteral("location")};
}

QString CertificateSettings::storeKey(const QString& field) {
    if (!fieldNames().contains(field))
        return {};
    return QStringLiteral("Certificate") + field.at(0).toUpper() + field.mid(1);
}

CertificateSettings CertificateSettings::read() {
    const SettingsStore store = SettingsStore::mainStore();
    CertificateSettings settings;
    settings.organisation = store.value(storeKey(QStringLiteral("organisation")));
    settings.operatorName = store.value(storeKey(QStringLiteral("operator")));
    settings.validator = store.value(storeKey(QStringLiteral("validator")));
    settings.location = store.value(storeKey(QStringLiteral("location")));
    return settings;
}

QString CertificateSettings::value(const QString& field) const {
    if (field == QLatin1String("organisation"))
        return organisation;
    if (field == QLatin1String("operator"))
        return operatorName;
    if (field == QLatin1String("validator"))
        return validator;
    if (field == QLatin1String("location"))
        return location;
    return {};
}

bool CertificateSettings::write(const QString& field, const QString& value, QString* error) {
    const auto fail = [error](const QString& why) {
        if (error)
            *error = why;
        return false;
    };
    const QString key = storeKey(field);
    if (key.isEmpty())
        return fail(QStringLiteral("unknown setting \"%1\" (use %2)")
                        .arg(field, fieldNames().join(QStringLiteral(", "))));
    // A name printed on a certificate: one line, of a sensible length.
    if (value.size() > 200)
        return fail(QStringLiteral("%1 is longer than 200 characters").arg(field));
    if (std::any_of(value.cbegin(), value.cend(),
                    [](QChar c) { return c.category() == QChar::Other_Control; }))
        return fail(QStringLiteral("%1 may not hold control characters").arg(field));
    const SettingsStore store = SettingsStore::mainStore();
    if (!store.setValue(key, value.trimmed()))
        return fail(store.path().isEmpty()
                        ? QStringLiteral("no settings store was found")
                        : QStringLiteral("cannot write the settings store %1").arg(store.path()));
    return true;
}
