#include "app/Main/WipeDisk/MakeSureWipeDiskViewController.h"

#include "app/Main/WipeDisk/WipeViewParts.h"

MakeSureWipeDiskViewController::MakeSureWipeDiskViewController(const QString& volumeName,
                                                               const QString& passesText,
                                                               const QString& estimate,
                                                               QWidget* parent)
    : QWidget(parent) {
    setObjectName(QStringLiteral("MakeSureWipeDiskViewController"));
    WipeViewParts::messageView(
        this, QStringLiteral("ic_warning"), tr("Erase Volume"),
        tr("Everything on \"%1\" will be erased: it is formatted anew and its free "
           "space is overwritten %2. This cannot be undone.")
                .arg(volumeName, passesText) +
            QLatin1Char(' ') + estimate,
        tr("Continue"), QStringLiteral("continueButton"), tr("Cancel"), true);
}
