#include "app/Main/WipeDisk/WipeFailViewController.h"

#include "app/Main/FileEraser/FileEraserViewParts.h"
#include "app/Main/WipeDisk/WipeViewParts.h"

#include <QLabel>
#include <QVBoxLayout>

WipeFailViewController::WipeFailViewController(const QString& reason, bool cancelled,
                                               bool volumeEmptied, QWidget* parent)
    : QWidget(parent) {
    setObjectName(QStringLiteral("WipeFailViewController"));
    WipeViewParts::messageView(this, QStringLiteral("ic_failed"), tr("Erasure failed"),
                               cancelled && !volumeEmptied
                                   ? tr("The wipe was stopped before it was done; what it "
                                        "had written is removed.")
                                   : reason,
                               tr("OK"), QStringLiteral("okButton"));
    if (cancelled) {
        auto* column = qobject_cast<QVBoxLayout*>(layout());
        QLabel* note = FileEraserViewParts::paragraph(tr("The operation was canceled by the user."),
                                                      QStringLiteral("cancelNote"));
        if (column)
            column->insertWidget(column->count() - 2, note);
    }
}
