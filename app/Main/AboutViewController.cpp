#include "app/Main/AboutViewController.h"

#include "app/Comm/UserDefaults.h"
#include "app/Main/FileEraser/FileEraserViewParts.h"
#include "app/ui/AttachedWindow.h"
#include "app/ui/ImageButton.h"

#include <QCoreApplication>
#include <QDate>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QVBoxLayout>
#include <QtGlobal>
#include <sqlite3.h>

#ifndef KORVANE_BUILD
#define KORVANE_BUILD "unknown"
#endif

namespace {

QString version() {
    return QCoreApplication::applicationVersion().isEmpty()
               ? QStringLiteral("1.0.0")
               : QCoreApplication::applicationVersion();
}

} // namespace

QString AboutViewController::buildText() {
    // The build is a commit name, or "unknown" outside a checkout; __DATE__ ("Dec 10 2026") is
    // shown in the user's date format.
    const QString build = QStringLiteral(KORVANE_BUILD) == QLatin1String("unknown")
                              ? tr("unknown")
                              : QStringLiteral(KORVANE_BUILD);
    const QDate built = QLocale::c().toDate(QString::fromLatin1(__DATE__).simplified(),
                                            QStringLiteral("MMM d yyyy"));
    return QStringLiteral("%1, %2").arg(build, built.isValid()
                                                   ? QLocale().toString(built, QLocale::ShortFormat)
                                                   : QStringLiteral(__DATE__));
}

AboutViewController::AboutViewController(QWidget* parent)
    : QWidget(parent), m_updates(new UpdateCheck(this)) {
    setObjectName(QStringLiteral("AboutViewController"));
    setFixedSize(560, 460);
    auto* layout = FileEraserViewParts::frame(this, QStringLiteral("app_logo"),
                                              QStringLiteral("Korvane Data Eraser"));
    layout->addWidget(FileEraserViewParts::paragraph(
        tr("Version %1 (build %2)").arg(version(), buildText()), QStringLiteral("versionText")));
    layout->addWidget(FileEraserViewParts::paragraph(
        tr("Built with these libraries, each under its own licence:\n"
           "  Qt %1 — GNU LGPL 3.0\n"
           "  SQLite %2 — public domain\n"
           "  libplist — GNU LGPL 2.1 or later\n"
           "  libmount and libblkid (util-linux) — GNU LGPL 2.1 or later")
            .arg(QString::fromLatin1(qVersion()), QString::fromLatin1(sqlite3_libversion())),
        QStringLiteral("licenceText")));

    layout->addSpacing(8);
    layout->addWidget(FileEraserViewParts::paragraph(
        tr("The update check asks this address, and only when you press the button:"),
        QStringLiteral("addressText")));
    m_address = new QLineEdit(UserDefaults::mainProgram().updateCheckAddress());
    m_address->setObjectName(QStringLiteral("updateAddressField"));
    m_address->setPlaceholderText(QStringLiteral("https://…/version.json"));
    layout->addWidget(m_address);
    m_answer = new QLabel(QStringLiteral(" "));
    m_answer->setObjectName(QStringLiteral("updateAnswer"));
    m_answer->setWordWrap(true);
    m_answer->setTextFormat(Qt::RichText);
    m_answer->setOpenExternalLinks(true);
    layout->addWidget(m_answer);
    layout->addStretch();

    m_check = FileEraserViewParts::button(QStringLiteral("btn_sec"), tr("Check for updates"),
                                          QStringLiteral("checkButton"));
    auto* close = FileEraserViewParts::button(QStringLiteral("btn_main"), tr("Close"),
                                              QStringLiteral("okButton"));
    connect(m_check, &ImageButton::clicked, this, &AboutViewController::checkForUpdates);
    connect(close, &ImageButton::clicked, this, [this] { AttachedWindow::dismiss(this); });
    layout->addLayout(FileEraserViewParts::buttonRow({m_check, close}));

    connect(m_updates, &UpdateCheck::finished, this, [this](const UpdateCheck::Result& result) {
        m_check->setEnabled(true);
        QString text = result.message.toHtmlEscaped();
        if (!result.notes.isEmpty()) {
            const QString link = result.notes.toString(QUrl::FullyEncoded);
            text.replace(link.toHtmlEscaped(),
                         QStringLiteral("<a href=\"%1\">%2</a>")
                             .arg(link.toHtmlEscaped(), link.toHtmlEscaped()));
        }
        m_answer->setText(text);
        if (result.answer != UpdateCheck::Answer::Failed)
            UserDefaults::mainProgram().setUpdateCheckAddress(m_address->text().trimmed());
        emit checkEnded(result);
    });
}

void AboutViewController::checkForUpdates() {
    m_check->setEnabled(false);
    m_answer->setText(tr("Checking…"));
    m_updates->start(QUrl(m_address->text().trimmed(), QUrl::StrictMode), version());
}
