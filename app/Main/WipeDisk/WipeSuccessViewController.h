#pragma once

#include <QStringList>
#include <QWidget>

// The end of a wipe that succeeded: the mode's text and what else the user should know.
class WipeSuccessViewController : public QWidget {
    Q_OBJECT
public:
    WipeSuccessViewController(const QString& text, const QStringList& notes,
                              QWidget* parent = nullptr);
};
