#pragma once

#include "app/Main/FileEraser/EraseReport.h"

#include <QWidget>

class ImageButton;
class QLabel;

// The end of an erasure that left something behind or was cancelled: how many of the selected
// items were erased, what failed and why (the erasure tool's reason, one line each), and, when
// it was cancelled, how many files were erased, failed, stopped under way and not reached.
class FileEraserFailViewController : public QWidget {
    Q_OBJECT
public:
    FileEraserFailViewController(int erasedCount, int failedCount, bool cancelled,
                                 const QStringList& problems = {},
                                 const EraseReport::FileCounts& files = {},
                                 QWidget* parent = nullptr);

    // "Cancelled: 7,612 files erased, 1 stopped after pass 1 of 3 (removed), 42,387 not
    // reached." in the user's language.
    static QString cancelledCounts(const EraseReport::FileCounts& files);

    QLabel* message() const { return m_message; }
    QLabel* problemList() const { return m_problems; }
    QLabel* cancelNotice() const { return m_cancelNotice; }
    ImageButton* okButton() const { return m_ok; }

private:
    QLabel* m_message;
    QLabel* m_problems;
    QLabel* m_cancelNotice;
    ImageButton* m_ok;
};
