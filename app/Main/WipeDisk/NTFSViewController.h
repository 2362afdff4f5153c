#pragma once

#include <QWidget>

// The notice shown instead of a free-space wipe of an NTFS volume.
class NTFSViewController : public QWidget {
    Q_OBJECT
public:
    explicit NTFSViewController(QWidget* parent = nullptr);
};
