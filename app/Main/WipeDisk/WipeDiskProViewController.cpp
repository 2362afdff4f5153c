#include "app/Main/WipeDisk/WipeDiskProViewController.h"

WipeDiskProViewController::WipeDiskProViewController(const QString& standardName, QWidget* parent)
    : WipeFreeSpaceProViewController(tr("Erasing the volume"), standardName, parent) {
    setObjectName(QStringLiteral("WipeDiskProViewController"));
}
