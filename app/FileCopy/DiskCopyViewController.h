#pragma once

#include "app/FileCopy/DiskCopyJob.h"
#include "app/Job/DestructiveOperation.h"

#include <QElapsedTimer>
#include <QWidget>
#include <memory>
#include <optional>

class ImageButton;
class QCheckBox;
class QLabel;
class QLineEdit;
class CopyFilesOperation;
class OperationRunner;
class QProgressBar;
class QTreeWidget;
class QTreeWidgetItem;

// Disk copy: a source folder or volume scanned into a tree with check boxes and sizes, a
// destination folder, and the copy of what is ticked with its progress (bytes, current file,
// speed, time left) and an end report of what was copied (and verified), what was not, what was
// skipped and failed, and what was cleaned up, in the same words as the command line. A file
// already at the destination is never overwritten without asking: skip, replace, or keep both.
// The copy is a CopyFilesOperation, planned (the selection's size) and run by an
// OperationRunner off the UI thread; its questions about files in the way come back here.
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
    void copyPlanned(const DestructiveOperation::Plan& plan);
    void showProgress(const DestructiveOperation::Progress& progress);
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
    OperationRunner* m_runner = nullptr;
    std::shared_ptr<CopyFilesOperation> m_operation;
    // The receiver of the worker's questions: deleted first on destruction, which drops a
    // question still waiting, so that the worker can end and be joined.
    QObject* m_questions = nullptr;
    // The answer the user gave for every file in the way, for the rest of this copy.
    std::optional<DiskCopyJob::Existing> m_existingForAll;
    QElapsedTimer m_clock; // since the copy began, for its speed
    bool m_copying = false;
    bool m_cancelled = false;
};
