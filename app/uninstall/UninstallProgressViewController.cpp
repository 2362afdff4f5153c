#include "app/uninstall/UninstallProgressViewController.h"

#include "app/Main/FileEraser/FileEraserViewParts.h"
#include "app/ui/AttachedWindow.h"
#include "app/ui/ImageButton.h"

#include <QLabel>
#include <QProgressBar>
#include <QVBoxLayout>

UninstallProgressViewController::UninstallProgressViewController(QWidget* parent)
    : QWidget(parent) {
    setObjectName(QStringLiteral("UninstallProgressViewController"));
    setFixedSize(480, 260); // the end area, shown later, needs the same room
    auto* layout =
        FileEraserViewParts::frame(this, QStringLiteral("nav_uninstaller"), tr("Removing"));
    m_title = findChild<QLabel*>(QStringLiteral("viewTitle"));

    const FileEraserViewParts::RunArea running = FileEraserViewParts::runArea();
    m_progressArea = running.area;
    m_bar = running.bar;
    m_path = running.path;
    layout->addWidget(m_progressArea);

    m_endArea = new QWidget;
    auto* end = new QVBoxLayout(m_endArea);
    end->setContentsMargins(0, 0, 0, 0);
    m_message = FileEraserViewParts::paragraph(QString(), QStringLiteral("messageText"));
    m_message->setTextFormat(Qt::PlainText);
    m_ok = FileEraserViewParts::button(QStringLiteral("btn_main"), tr("OK"),
                                       QStringLiteral("okButton"));
    connect(m_ok, &ImageButton::clicked, this, [this] {
        emit uninstallEnd();
        AttachedWindow::dismiss(this);
    });
    end->addWidget(m_message);
    end->addSpacing(12);
    end->addLayout(FileEraserViewParts::buttonRow({m_ok}));
    layout->addWidget(m_endArea);
    m_endArea->hide();
}

void UninstallProgressViewController::changeProgressValue(int percent, const QString& path) {
    m_bar->setValue(qBound(0, percent, 100));
    m_path->setText(path);
    if (percent >= 100) {
        m_progressArea->hide();
        m_endArea->show();
        if (m_title)
            m_title->setText(tr("Removal finished"));
    }
}

void UninstallProgressViewController::changeLabel(const QString& message) {
    m_message->setText(message);
}
