#pragma once

#include "app/FileCopy/DiskCopyJob.h"

#include <QWidget>
#include <atomic>

class ImageButton;
class QCheckBox;
class QLabel;
class QLineEdit;
class QProgressBar;
class QThread;
class QTreeWidget;
class QTreeWidgetItem;

// Disk copy: a source folder or volume scanned into a tree with check boxes and sizes, a
// destination folder, and the copy of what is ticked with its progress (bytes, current file,
// speed, time left) and an end report of what was copied (and verified), what was not, what was
// skipped and failed, and what was cleaned up, in the same words as the command line. A file
// already at the destination is never overwritten without asking: skip, replace, or keep both.
class DiskCopyViewController : public QWidget {
    Q_OBJECT
public:
    explicit DiskCopyViewController(QWidget* parent = nullptr);
    ~DiskCopyViewController() override;

    // Shows the entries of SOURCE, all ticked.
    void scanSource(const QString& source);
    void setDestination(const QString& destination);
    // The ticked entries, as few paths as cover them (a fully ticked folder is one path).
    QStringList chosenPaths() const;
    void startCopy();
    void cancelCopy();

    QTreeWidget* tree() const { return m_tree; }
    QCheckBox* verifyBox() const { return m_verify; }
    QLabel* progressText() const { return m_progressText; }
    QLabel* reportText() const { return m_report; }
    ImageButton* copyButton() const { return m_copy; }

signals:
    void copyFinished(const DiskCopyJob::Report& report);

private:
    void fill(QTreeWidgetItem* item);
    void showProgress(const DiskCopyJob::Progress& progress);
    void showReport(const DiskCopyJob::Report& report);
    DiskCopyJob::Existing askExisting(const QString& destination);
    void collect(QTreeWidgetItem* item, QStringList& paths) const;

    QLineEdit* m_source;
    QLineEdit* m_destination;
    QTreeWidget* m_tree;
    QCheckBox* m_verify;
    QProgressBar* m_bar;
    QLabel* m_progressText;
    QLabel* m_report;
    ImageButton* m_copy;
    ImageButton* m_cancel;
    ImageButton* m_close;
    QThread* m_worker = nullptr;
    std::atomic_bool m_cancelled{false};
};
