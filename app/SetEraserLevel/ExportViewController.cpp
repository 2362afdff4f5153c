#include "app/SetEraserLevel/ExportViewController.h"

#include <QDir>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

ExportViewController::ExportViewController(const QString& path, const QString& error,
                                           QWidget* parent)
    : QDialog(parent), m_message(new QLabel(this)), m_succeeded(error.isEmpty()) {
    setObjectName(QStringLiteral("ExportViewController"));
    setWindowTitle(tr("Export"));
    setWindowModality(Qt::WindowModal);

    auto* title = new QLabel(m_succeeded ? tr("Export finished") : tr("Export failed"), this);
    QFont bold = title->font();
    bold.setBold(true);
    bold.setPointSizeF(bold.pointSizeF() * 1.2);
    title->setFont(bold);

    // A report that could not be written is said so: the user must not look for a file that
    // is not there.
    const QString shown = QDir::toNativeSeparators(path);
    m_message->setText(
        m_succeeded ? tr("The erasure history was saved to\n%1").arg(shown)
                    : tr("The erasure history could not be saved to\n%1\n%2").arg(shown, error));
    m_message->setWordWrap(true);
    m_message->setTextInteractionFlags(Qt::TextSelectableByMouse);

    auto* ok = new QPushButton(tr("OK"), this);
    ok->setObjectName(QStringLiteral("OK"));
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(ok);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(title);
    layout->addWidget(m_message);
    layout->addLayout(buttons);
    setMinimumWidth(380);
}

QString ExportViewController::message() const {
    return m_message->text();
}
