#pragma once

#include <QString>
#include <QWidget>

// The confirmation before the whole-volume wipe: Continue or Cancel.
class MakeSureWipeDiskViewController : public QWidget {
    Q_OBJECT
public:
    MakeSureWipeDiskViewController(const QString& volumeName, const QString& passesText,
                                   const QString& estimate, QWidget* parent = nullptr);
};
