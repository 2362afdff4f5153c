#pragma once

#include "platform/UserAccount.h"

#include <optional>

#include <QWidget>

class ImageButton;
class QCheckBox;
class QLabel;
class QLineEdit;

// The duplicate finder's first page: the folder to search (typed, or chosen in a folder dialog),
// whether hidden entries and system folders are searched too, and "Start".
class DuplicateStartView : public QWidget {
    Q_OBJECT
public:
    explicit DuplicateStartView(QWidget* parent = nullptr);
    // The folder a search starts at: the home of USER (the user the program works for).
    static QString startFolder(const std::optional<UserAccount>& user);

    QString folder() const;
    void setFolder(const QString& folder);
    bool searchHidden() const;
    bool searchSystem() const;
    // Checks the folder and, when it can be searched, asks for the search; otherwise says why.
    void startButtonAction();
    void chooseButtonAction();

    QLineEdit* folderField() const { return m_folder; }
    QCheckBox* hiddenBox() const { return m_hidden; }
    QCheckBox* systemBox() const { return m_system; }
    ImageButton* startButton() const { return m_start; }
    QLabel* problemLabel() const { return m_problem; }

signals:
    void searchRequested(const QString& folder, bool searchHidden, bool searchSystem);

private:
    QLineEdit* m_folder;
    QCheckBox* m_hidden;
    QCheckBox* m_system;
    ImageButton* m_choose;
    ImageButton* m_start;
    QLabel* m_problem;
};
