#include "app/SetEraserLevel/CertificateSettingsForm.h"

#include "app/Certificate/CertificateSettings.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>

namespace {

QLineEdit* makeField(const QString& name, const QString& placeholder, QWidget* parent) {
    auto* edit = new QLineEdit(parent);
    edit->setObjectName(name);
    edit->setPlaceholderText(placeholder);
    edit->setMaxLength(200);
    return edit;
}

} // namespace

CertificateSettingsForm::CertificateSettingsForm(QWidget* parent)
    : QWidget(parent),
      m_organisation(makeField(QStringLiteral("organisation"), tr("Organisation"), this)),
      m_location(makeField(QStringLiteral("location"), tr("Where erasures are done"), this)),
      m_operator(makeField(QStringLiteral("operator"), tr("Who erases"), this)),
      m_validator(makeField(QStringLiteral("validator"), tr("Who checks the erasure"), this)) {
    setObjectName(QStringLiteral("CertificateSettingsForm"));
    auto* grid = new QGridLayout(this);
    grid->setContentsMargins(0, 0, 0, 0);
    grid->setHorizontalSpacing(8);
    grid->setVerticalSpacing(6);
    auto* title = new QLabel(tr("Erasure certificates name"), this);
    QFont bold = title->font();
    bold.setBold(true);
    title->setFont(bold);
    grid->addWidget(title, 0, 0, 1, 4);
    const auto add = [&](int row, int column, const QString& label, QLineEdit* edit) {
        auto* text = new QLabel(label, this);
        text->setBuddy(edit);
        grid->addWidget(text, row, column);
        grid->addWidget(edit, row, column + 1);
    };
    add(1, 0, tr("Organisation"), m_organisation);
    add(1, 2, tr("Location"), m_location);
    add(2, 0, tr("Operator"), m_operator);
    add(2, 2, tr("Validator"), m_validator);
    grid->setColumnStretch(1, 1);
    grid->setColumnStretch(3, 1);
    load();
}

QLineEdit* CertificateSettingsForm::field(const QString& name) const {
    return findChild<QLineEdit*>(name);
}

void CertificateSettingsForm::load() {
    const CertificateSettings settings = CertificateSettings::read();
    for (const QString& name : CertificateSettings::fieldNames())
        field(name)->setText(settings.value(name));
}

bool CertificateSettingsForm::save(QString* error) const {
    const CertificateSettings stored = CertificateSettings::read();
    for (const QString& name : CertificateSettings::fieldNames()) {
        const QString text = field(name)->text().trimmed();
        // Only what changed is written: the store is replaced whole on every write.
        if (text != stored.value(name) && !CertificateSettings::write(name, text, error))
            return false;
    }
    return true;
}
