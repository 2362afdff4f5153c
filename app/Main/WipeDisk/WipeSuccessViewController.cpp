#include "app/Main/WipeDisk/WipeSuccessViewController.h"

#include "app/Main/FileEraser/FileEraserViewParts.h"
#include "app/Main/WipeDisk/WipeViewParts.h"

#include <QVBoxLayout>

WipeSuccessViewController::WipeSuccessViewController(const QString& text, const QStringList& notes,
                                                     QWidget* parent)
    : QWidget(parent) {
    setObjectName(QStringLiteral("WipeSuccessViewController"));
    WipeViewParts::messageView(this, QStringLiteral("ic_done"), tr("Erasure complete"), text,
                               tr("OK"), QStringLiteral("okButton"));
    auto* column = qobject_cast<QVBoxLayout*>(layout());
    for (const QString& note : notes)
        if (column)
            column->insertWidget(column->count() - 2, FileEraserViewParts::warningLine(note));
}
