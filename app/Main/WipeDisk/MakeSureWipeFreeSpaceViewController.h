#pragma once

#include <QString>
#include <QWidget>

// The confirmation before the free-space wipe: Continue or Cancel.
class MakeSureWipeFreeSpaceViewController : public QWidget {
    Q_OBJECT
public:
    MakeSureWipeFreeSpaceViewController(const QString& volumeName, const QString& passesText,
                                        const QString& estimate, QWidget* parent = nullptr);
};
