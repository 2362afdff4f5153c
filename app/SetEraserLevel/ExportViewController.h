#pragma once

#include <QWidget>

class QLabel;

// Tells the user that an export has finished: where the report went, or why it could not be
// written. Shown as an attached window; "OK" closes it.
class ExportViewController : public QWidget {
    Q_OBJECT
public:
    // PATH is the report's file; ERROR is empty when it was written.
    ExportViewController(const QString& path, const QString& error, QWidget* parent = nullptr);

    // Shows the view attached to OWNER's window.
    static ExportViewController* present(const QString& path, const QString& error, QWidget* owner);

    bool succeeded() const { return m_succeeded; }
    QString message() const;

private:
    QLabel* m_message;
    bool m_succeeded;
};
