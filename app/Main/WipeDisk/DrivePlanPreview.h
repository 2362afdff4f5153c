#pragma once

#include "app/Job/DestructiveOperation.h"

#include <QStringList>
#include <QWidget>

class OperationRunner;
class QLabel;
class QVBoxLayout;

// What a drive wipe of the chosen devices would do, shown under the drive list as soon as they
// are chosen: the method, what the plan refuses and every note it makes (the medium, and the
// method where the plan names it). The plan is made off the UI thread and changes nothing; a
// choice made while one is being made is planned once that one is in.
class DrivePlanPreview : public QWidget {
    Q_OBJECT
public:
    explicit DrivePlanPreview(QWidget* parent = nullptr);

    // Plans a wipe of DEVICES; none hides the preview.
    void preview(const QStringList& devices);
    QLabel* methodLabel() const { return m_method; }

signals:
    void shown(const DestructiveOperation::Plan& plan);

private:
    void showPlan(const DestructiveOperation::Plan& plan);
    void clearLines();

    OperationRunner* m_runner;
    QStringList m_devices;  // the choice to show
    QStringList m_planning; // the devices of the plan being made
    QLabel* m_method;
    QVBoxLayout* m_lines;
};
