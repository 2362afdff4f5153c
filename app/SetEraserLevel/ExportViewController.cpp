#include "app/SetEraserLevel/ExportViewController.h"

#include "app/ui/AttachedWindow.h"
#include "app/ui/Images.h"

#include <QDir>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

ExportViewController::ExportViewController(const QString& path, const QString& error,
                                           QWidget* parent)
    : QWidget(parent), m_message(new QLabel(this)), m_succeeded(error.isEmpty()) {
    setObjectName(QStringLiteral("ExportViewController"));
    setWindowTitle(tr("Export"));

    auto* title = new QLabel(m_succeeded ? tr("Export finished") : tr("Export failed"), this);
    title->setProperty("role", "title");
    auto* icon = new QLabel(this);
    icon->setPixmap(
        Images::pixmap(m_succeeded ? QStringLiteral("ic_done") : QStringLiteral("ic_warning"),
                       QSize(28, 28), devicePixelRatioF()));

    // A report that could not be written is said so: the user must not look for a file that
    // is not there.
    const QString shown = QDir::toNativeSeparators(path);
    m_message->setText(
        m_succeeded ? tr("The erasure history was saved to\n%1").arg(shown)
                    : tr("The erasure history could not be saved to\n%1\n%2").arg(shown, error));
    m_message->setWordWrap(true);
    m_message->setProperty("role", "muted");
    m_message->setTextInteractionFlags(Qt::TextSelectableByMouse);

    auto* ok = new QPushButton(tr("OK"), this);
    ok->setObjectName(QStringLiteral("OK"));
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, [this] {
        if (!AttachedWindow::dismiss(this))
            close();
    });

    auto* heading = new QHBoxLayout;
    heading->addWidget(icon);
    heading->addWidget(title, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(ok);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(24, 20, 24, 20);
    layout->setSpacing(12);
    layout->addLayout(heading);
    layout->addWidget(m_message);
    layout->addLayout(buttons);
    setMinimumWidth(420);
}

ExportViewController* ExportViewController::present(const QString& path, const QString& error,
                                                    QWidget* owner) {
    auto* view = new ExportViewController(path, error);
    AttachedWindow::present(view, owner);
    return view;
}

QString ExportViewController::message() const {
    return m_message->text();
}
