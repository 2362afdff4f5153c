#pragma once

#include <QWidget>

// The notice shown instead of a whole-volume wipe of the start-up volume.
class SystemEraserViewController : public QWidget {
    Q_OBJECT
public:
    explicit SystemEraserViewController(QWidget* parent = nullptr);
};
