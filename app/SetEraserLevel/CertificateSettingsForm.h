#pragma once

#include <QString>
#include <QWidget>

class QLineEdit;

// The names erasure certificates give, in a small form under the erasure standards:
// organisation, location, operator (who erases) and validator (who checks). Filled from the
// settings store; save() stores what was typed (empty clears a field).
class CertificateSettingsForm : public QWidget {
    Q_OBJECT
public:
    explicit CertificateSettingsForm(QWidget* parent = nullptr);

    // Reads the stored values into the fields.
    void load();
    // Stores every field. False when one could not be stored, with the reason in ERROR.
    bool save(QString* error = nullptr) const;
    QLineEdit* field(const QString& name) const;

private:
    QLineEdit* m_organisation;
    QLineEdit* m_location;
    QLineEdit* m_operator;
    QLineEdit* m_validator;
};
