#include "app/Main/WipeDisk/WipeViewParts.h"

#include "app/Main/FileEraser/FileEraserViewParts.h"
#include "app/ui/AttachedWindow.h"
#include "app/ui/ImageButton.h"
#include "app/ui/Theme.h"

#include <QDialog>
#include <QLabel>
#include <QVBoxLayout>

QWidget* WipeViewParts::messageView(QWidget* view, const QString& icon, const QString& title,
                                    const QString& text, const QString& primary,
                                    const QString& primaryName, const QString& secondary,
                                    bool danger) {
    auto* layout = FileEraserViewParts::frame(view, icon, title);
    layout->addWidget(FileEraserViewParts::paragraph(text, QStringLiteral("messageText")));
    QList<ImageButton*> buttons;
    if (!secondary.isEmpty()) {
        ImageButton* cancel = FileEraserViewParts::button(QStringLiteral("btn_sec"), secondary,
                                                          QStringLiteral("cancelButton"));
        QObject::connect(cancel, &ImageButton::clicked, view,
                         [view] { AttachedWindow::dismiss(view, QDialog::Rejected); });
        buttons << cancel;
    }
    ImageButton* ok = FileEraserViewParts::button(
        danger ? QStringLiteral("btn_danger") : QStringLiteral("btn_main"), primary, primaryName);
    QObject::connect(ok, &ImageButton::clicked, view,
                     [view] { AttachedWindow::dismiss(view, QDialog::Accepted); });
    buttons << ok;
    layout->addSpacing(12);
    layout->addLayout(FileEraserViewParts::buttonRow(buttons));
    return view;
}

QString WipeViewParts::driveMethod(const DestructiveOperation::Plan& plan) {
    // The plan says per drive how it is wiped (a firmware erase or the passes really written).
    QStringList methods;
    for (const DestructiveOperation::Note& note : plan.notes)
        if (note.warning == DestructiveOperation::Warning::WipeMethod)
            methods << note.detail;
    if (methods.isEmpty())
        return tr("Method: overwrite with %1").arg(plan.standard);
    return tr("Method: %1").arg(methods.join(QLatin1Char('\n')));
}

QWidget* WipeViewParts::noteLine(const DestructiveOperation::Note& note) {
    QWidget* line = FileEraserViewParts::warningLine(note.detail);
    line->setObjectName(QStringLiteral("planNote"));
    line->setProperty("warningKind", int(note.warning));
    // Notes carry volume names and mount points: shown as text, never as markup.
    if (auto* text = line->findChild<QLabel*>(QStringLiteral("warningText")))
        text->setTextFormat(Qt::PlainText);
    return line;
}

QWidget* WipeViewParts::refusalLine(const DestructiveOperation::Refused& refused) {
    QWidget* line = FileEraserViewParts::warningLine(refused.detail.isEmpty() ? refused.subject
                                                                              : refused.detail);
    line->setObjectName(QStringLiteral("refusalLine"));
    if (auto* text = line->findChild<QLabel*>(QStringLiteral("warningText"))) {
        text->setTextFormat(Qt::PlainText);
        text->setStyleSheet(QStringLiteral("color: %1;").arg(Theme::kDanger.name()));
    }
    return line;
}
