#include "app/Main/WipeDisk/MakeSureWipeFreeSpaceViewController.h"

#include "app/Main/WipeDisk/WipeViewParts.h"

MakeSureWipeFreeSpaceViewController::MakeSureWipeFreeSpaceViewController(const QString& volumeName,
                                                                         const QString& passesText,
                                                                         const QString& estimate,
                                                                         QWidget* parent)
    : QWidget(parent) {
    setObjectName(QStringLiteral("MakeSureWipeFreeSpaceViewController"));
    WipeViewParts::messageView(
        this, QStringLiteral("ic_warning"), tr("Erase Free Space"),
        tr("The free space of \"%1\" will be overwritten %2. The files on the volume "
           "are not touched; the volume is full while the wipe runs.")
                .arg(volumeName, passesText) +
            QLatin1Char(' ') + estimate,
        tr("Continue"), QStringLiteral("continueButton"), tr("Cancel"), false);
}
