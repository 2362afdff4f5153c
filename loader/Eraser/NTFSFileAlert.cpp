#include "loader/Eraser/NTFSFileAlert.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

NTFSFileAlert::NTFSFileAlert(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("NTFSFileAlert"));
    setWindowTitle(tr("Korvane Data Eraser"));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(28, 24, 28, 20);
    auto* title = new QLabel(tr("This item is on an NTFS volume"), this);
    QFont font = title->font();
    font.setBold(true);
    font.setPixelSize(16);
    title->setFont(font);
    auto* text = new QLabel(tr("Files on NTFS volumes cannot be overwritten reliably by this "
                               "program, so nothing was erased."),
                            this);
    text->setWordWrap(true);
    text->setMinimumWidth(360);
    auto* ok = new QPushButton(tr("OK"), this);
    ok->setObjectName(QStringLiteral("okButton"));
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    auto* row = new QHBoxLayout();
    row->addStretch(1);
    row->addWidget(ok);
    layout->addWidget(title);
    layout->addWidget(text);
    layout->addSpacing(12);
    layout->addLayout(row);
}
