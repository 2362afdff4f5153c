#pragma once

#include <QDialog>

// The notice shown instead of erasing when the path handed to the loader lies on an NTFS volume.
// Its OK button ends the modal loop.
class NTFSFileAlert : public QDialog {
    Q_OBJECT
public:
    explicit NTFSFileAlert(QWidget* parent = nullptr);
};
