#include "app/Main/WipeDisk/NTFSViewController.h"

#include "app/Main/WipeDisk/WipeViewParts.h"

NTFSViewController::NTFSViewController(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("NTFSViewController"));
    WipeViewParts::messageView(
        this, QStringLiteral("ic_warning"), tr("NTFS volume"),
        tr("The free space of NTFS volumes is not erased here. To erase such a volume completely, "
           "use Erase Hard Drive: it becomes an MS-DOS FAT32 volume named NEW."),
        tr("OK"), QStringLiteral("okButton"));
}
