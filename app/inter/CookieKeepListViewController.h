#pragma once

#include "app/inter/CookieKeepList.h"

#include <QStringList>
#include <QWidget>

class ImageButton;
class QLabel;
class QLineEdit;
class QListWidget;

// Edits the sites whose cookies the cleaner keeps. "Add" takes one or more domains from the
// line (separated by commas or spaces) and refuses, with a message, what is no domain; "Save"
// stores the list for the window and the command line and accepts; "Cancel" stores nothing.
class CookieKeepListViewController : public QWidget {
    Q_OBJECT
public:
    explicit CookieKeepListViewController(const CookieKeepList& current, QWidget* parent = nullptr);

    // The domains listed now, in order.
    QStringList domains() const;
    // Adds what the line holds; false when some of it was refused (it stays in the line).
    bool addTyped();
    void removeSelected();

    QListWidget* list() const { return m_list; }
    QLineEdit* domainEdit() const { return m_edit; }
    QLabel* messageLabel() const { return m_message; }
    ImageButton* addButton() const { return m_add; }
    ImageButton* removeButton() const { return m_remove; }
    ImageButton* saveButton() const { return m_save; }
    ImageButton* cancelButton() const { return m_cancel; }

private:
    void save();
    void say(const QString& message);

    QListWidget* m_list;
    QLineEdit* m_edit;
    QLabel* m_message;
    ImageButton* m_add;
    ImageButton* m_remove;
    ImageButton* m_save;
    ImageButton* m_cancel;
};
