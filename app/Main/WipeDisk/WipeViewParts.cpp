#include "app/Main/WipeDisk/WipeViewParts.h"

#include "app/Main/FileEraser/FileEraserViewParts.h"
#include "app/ui/AttachedWindow.h"
#include "app/ui/ImageButton.h"

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
