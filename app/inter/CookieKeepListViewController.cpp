#include "app/inter/CookieKeepListViewController.h"

#include "app/Main/FileEraser/FileEraserViewParts.h"
#include "app/ui/AttachedWindow.h"
#include "app/ui/ImageButton.h"
#include "app/ui/Theme.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QRegularExpression>
#include <QVBoxLayout>

CookieKeepListViewController::CookieKeepListViewController(const CookieKeepList& current,
                                                           QWidget* parent)
    : QWidget(parent) {
    setObjectName(QStringLiteral("CookieKeepListViewController"));
    auto* layout = FileEraserViewParts::frame(this, QStringLiteral("nav_internet_cleaner"),
                                              tr("Cookies to keep"));
    layout->addWidget(FileEraserViewParts::paragraph(
        tr("The cleaner leaves the cookies of these sites and of their subdomains in place, so "
           "that you stay signed in to them. All other cookies are removed."),
        QStringLiteral("introText")));

    m_list = new QListWidget;
    m_list->setObjectName(QStringLiteral("domainList"));
    m_list->addItems(current.domains());
    m_list->setMinimumHeight(140);
    layout->addWidget(m_list, 1);

    m_edit = new QLineEdit;
    m_edit->setObjectName(QStringLiteral("domainEdit"));
    m_edit->setPlaceholderText(tr("example.com"));
    m_add = FileEraserViewParts::button(QStringLiteral("btn_sec"), tr("Add"),
                                        QStringLiteral("addButton"));
    m_remove = FileEraserViewParts::button(QStringLiteral("btn_sec"), tr("Remove"),
                                           QStringLiteral("removeButton"));
    auto* entry = new QHBoxLayout;
    entry->setSpacing(10);
    entry->addWidget(m_edit, 1);
    entry->addWidget(m_add);
    layout->addLayout(entry);

    m_message = new QLabel;
    m_message->setObjectName(QStringLiteral("messageText"));
    m_message->setWordWrap(true);
    m_message->setTextFormat(Qt::PlainText);
    m_message->setStyleSheet(QStringLiteral("color: %1;").arg(Theme::kWarning.name()));
    m_message->hide();
    layout->addWidget(m_message);

    m_cancel = FileEraserViewParts::button(QStringLiteral("btn_sec"), tr("Cancel"),
                                           QStringLiteral("cancelButton"));
    m_save = FileEraserViewParts::button(QStringLiteral("btn_main"), tr("Save"),
                                         QStringLiteral("saveButton"));
    layout->addSpacing(12);
    QHBoxLayout* buttons = FileEraserViewParts::buttonRow({m_cancel, m_save});
    buttons->insertWidget(0, m_remove); // acts on the list, apart from closing the dialog
    layout->addLayout(buttons);

    connect(m_add, &ImageButton::clicked, this, &CookieKeepListViewController::addTyped);
    connect(m_edit, &QLineEdit::returnPressed, this, &CookieKeepListViewController::addTyped);
    connect(m_edit, &QLineEdit::textChanged, this,
            [this](const QString& text) { m_add->setEnabled(!text.trimmed().isEmpty()); });
    connect(m_remove, &ImageButton::clicked, this, &CookieKeepListViewController::removeSelected);
    connect(m_list, &QListWidget::currentRowChanged, this,
            [this](int row) { m_remove->setEnabled(row >= 0); });
    connect(m_cancel, &ImageButton::clicked, this,
            [this] { AttachedWindow::dismiss(this, QDialog::Rejected); });
    connect(m_save, &ImageButton::clicked, this, &CookieKeepListViewController::save);
    m_add->setEnabled(false);
    m_remove->setEnabled(false);
    m_edit->setFocus();
}

QStringList CookieKeepListViewController::domains() const {
    QStringList out;
    for (int i = 0; i < m_list->count(); ++i)
        out << m_list->item(i)->text();
    return out;
}

bool CookieKeepListViewController::addTyped() {
    const QStringList typed =
        m_edit->text().split(QRegularExpression(QStringLiteral("[,\\s]+")), Qt::SkipEmptyParts);
    QStringList invalid;
    const CookieKeepList added = CookieKeepList::from(typed, &invalid);
    for (const QString& domain : added.domains()) {
        const auto present = m_list->findItems(domain, Qt::MatchFixedString);
        if (present.isEmpty())
            m_list->addItem(domain);
        m_list->setCurrentItem(present.isEmpty() ? m_list->item(m_list->count() - 1)
                                                 : present.first());
    }
    if (!invalid.isEmpty()) {
        // Keep what was refused in the line, to be corrected.
        m_edit->setText(invalid.join(QLatin1Char(' ')));
        say(tr("Not a site name: %1. Type a domain such as example.com.")
                .arg(invalid.join(QStringLiteral(", "))));
        return false;
    }
    m_edit->clear();
    say({});
    return true;
}

void CookieKeepListViewController::removeSelected() {
    delete m_list->takeItem(m_list->currentRow());
    m_remove->setEnabled(m_list->currentRow() >= 0);
}

void CookieKeepListViewController::save() {
    // A domain typed but not added yet is what the user means to keep too.
    if (!m_edit->text().trimmed().isEmpty() && !addTyped())
        return;
    if (!CookieKeepList::store(CookieKeepList::from(domains()))) {
        say(tr("The list could not be saved: the settings store cannot be written."));
        return;
    }
    AttachedWindow::dismiss(this, QDialog::Accepted);
}

void CookieKeepListViewController::say(const QString& message) {
    m_message->setText(message);
    m_message->setVisible(!message.isEmpty());
}
