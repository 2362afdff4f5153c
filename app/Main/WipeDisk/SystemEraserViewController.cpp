#include "app/Main/WipeDisk/SystemEraserViewController.h"

#include "app/Main/WipeDisk/WipeViewParts.h"

SystemEraserViewController::SystemEraserViewController(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("SystemEraserViewController"));
    WipeViewParts::messageView(
        this, QStringLiteral("ic_warning"), tr("Start-up volume"),
        tr("The volume the system runs from cannot be erased whole. Use Erase Files for the files "
           "you want gone, and Erase Free Space for what was deleted before."),
        tr("OK"), QStringLiteral("okButton"));
}
