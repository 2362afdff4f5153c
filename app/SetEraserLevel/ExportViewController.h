#pragma once

#include <QDialog>

class QLabel;

// Tells the user that an export has finished: where the report went, or why it could not be
// written. "OK" closes it.
class ExportViewController : public QDialog {
    Q_OBJECT
public:
    // PATH is the report's file; ERROR is empty when it was written.
    ExportViewController(const QString& path, const QString& error, QWidget* parent = nullptr);

    bool succeeded() const { return m_succeeded; }
    QString message() const;

private:
    QLabel* m_message;
    bool m_succeeded;
};
