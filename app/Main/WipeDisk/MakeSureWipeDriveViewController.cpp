#include "app/Main/WipeDisk/MakeSureWipeDriveViewController.h"

#include "app/Main/FileEraser/FileEraserViewParts.h"
#include "app/Main/WipeDisk/WipeViewParts.h"
#include "app/ui/AttachedWindow.h"
#include "app/ui/ImageButton.h"
#include "app/ui/Images.h"

#include <QCheckBox>
#include <QEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>
#include <algorithm>

namespace {
constexpr int kWidth = 560; // the consents name devices and what they hold

// What a consent agrees to, naming its subject when its words do not.
QString consentText(const DestructiveOperation::ConsentNeeded& needed) {
    if (needed.detail.isEmpty())
        return needed.subject;
    if (needed.subject.isEmpty() || needed.detail.contains(needed.subject))
        return needed.detail;
    return QStringLiteral("%1: %2").arg(needed.subject, needed.detail);
}
} // namespace

MakeSureWipeDriveViewController::MakeSureWipeDriveViewController(
    const DestructiveOperation::Plan& plan, QWidget* parent)
    : QWidget(parent), m_needed(plan.consents) {
    setObjectName(QStringLiteral("MakeSureWipeDriveViewController"));
    const bool refused = !plan.refusals.isEmpty() || !plan.runnable();
    const int drives = int(plan.items.size());
    auto* layout = FileEraserViewParts::frame(
        this, refused ? QStringLiteral("ic_failed") : QStringLiteral("ic_warning"),
        refused       ? tr("This cannot be erased")
        : drives == 1 ? tr("Erase %1?").arg(plan.items.first())
                      : tr("Erase %n drives?", nullptr, int(drives)));
    setFixedWidth(kWidth);
    if (plan.level > 0)
        layout->addWidget(FileEraserViewParts::paragraph(WipeViewParts::driveMethod(plan),
                                                         QStringLiteral("methodText")));

    if (refused) {
        layout->addWidget(FileEraserViewParts::paragraph(
            plan.refusals.isEmpty() ? tr("There is nothing to erase.")
                                    : tr("Nothing is erased. Choose again once this is put right:"),
            QStringLiteral("messageText")));
        for (const DestructiveOperation::Refused& refusal : plan.refusals)
            layout->addWidget(WipeViewParts::refusalLine(refusal));
    }
    for (const DestructiveOperation::Note& note : plan.notes)
        if (note.warning != DestructiveOperation::Warning::WipeMethod) // shown as the method
            layout->addWidget(WipeViewParts::noteLine(note));
    if (!refused && !m_needed.isEmpty()) {
        layout->addSpacing(4);
        layout->addWidget(FileEraserViewParts::paragraph(
            tr("This cannot be undone. Tick each to confirm:"), QStringLiteral("messageText")));
        for (const DestructiveOperation::ConsentNeeded& needed : m_needed) {
            auto* box = new QCheckBox;
            box->setObjectName(QStringLiteral("consentBox"));
            box->setProperty("consentKind", int(needed.consent));
            box->setProperty("subject", needed.subject);
            box->setStyleSheet(QStringLiteral("QCheckBox::indicator { width: 20px; height: 20px; }"
                                              "QCheckBox::indicator:unchecked { image: url(%1); }"
                                              "QCheckBox::indicator:checked { image: url(%2); }")
                                   .arg(Images::path(QStringLiteral("checkbox_no")),
                                        Images::path(QStringLiteral("checkbox_yes"))));
            // A check box does not wrap its text: the words are a label beside it that ticks it.
            auto* text = new QLabel(consentText(needed));
            text->setObjectName(QStringLiteral("consentText"));
            text->setTextFormat(Qt::PlainText); // names of volumes and mount points, as they are
            text->setWordWrap(true);
            text->setBuddy(box);
            text->installEventFilter(this);
            box->setAccessibleName(text->text());
            connect(box, &QCheckBox::toggled, this,
                    &MakeSureWipeDriveViewController::refreshEraseButton);
            auto* row = new QHBoxLayout;
            row->setSpacing(8);
            row->addWidget(box, 0, Qt::AlignTop);
            row->addWidget(text, 1);
            layout->addLayout(row);
            m_boxes << box;
        }
    }

    layout->addSpacing(12);
    QList<ImageButton*> buttons;
    if (refused) {
        ImageButton* close = FileEraserViewParts::button(QStringLiteral("btn_main"), tr("Close"),
                                                         QStringLiteral("closeButton"));
        connect(close, &ImageButton::clicked, this,
                [this] { AttachedWindow::dismiss(this, QDialog::Rejected); });
        buttons << close;
    } else {
        ImageButton* cancel = FileEraserViewParts::button(QStringLiteral("btn_sec"), tr("Cancel"),
                                                          QStringLiteral("cancelButton"));
        connect(cancel, &ImageButton::clicked, this,
                [this] { AttachedWindow::dismiss(this, QDialog::Rejected); });
        m_erase = FileEraserViewParts::button(
            QStringLiteral("btn_danger"),
            drives == 1 ? tr("Erase") : tr("Erase %n Drives", nullptr, int(drives)),
            QStringLiteral("eraseButton"));
        connect(m_erase, &ImageButton::clicked, this, [this] {
            if (!m_erase->isEnabled())
                return;
            emit confirmed(consents());
            AttachedWindow::dismiss(this, QDialog::Accepted);
        });
        buttons << cancel << m_erase;
        refreshEraseButton();
    }
    layout->addLayout(FileEraserViewParts::buttonRow(buttons));
}

DestructiveOperation::Consents MakeSureWipeDriveViewController::consents() const {
    // A kind counts as given only when every consent of that kind is ticked.
    DestructiveOperation::Consents given;
    for (int i = 0; i < m_needed.size(); ++i) {
        const auto kind = m_needed.at(i).consent;
        bool all = true;
        for (int j = 0; j < m_needed.size(); ++j)
            if (m_needed.at(j).consent == kind && !m_boxes.at(j)->isChecked())
                all = false;
        if (all)
            given.give(kind);
    }
    return given;
}

void MakeSureWipeDriveViewController::refreshEraseButton() {
    if (m_erase)
        m_erase->setEnabled(std::all_of(m_boxes.cbegin(), m_boxes.cend(),
                                        [](const QCheckBox* box) { return box->isChecked(); }));
}

bool MakeSureWipeDriveViewController::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::MouseButtonRelease)
        if (auto* text = qobject_cast<QLabel*>(watched))
            if (auto* box = qobject_cast<QCheckBox*>(text->buddy()))
                box->toggle();
    return QWidget::eventFilter(watched, event);
}
