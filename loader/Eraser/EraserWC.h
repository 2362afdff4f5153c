#pragma once

#include "app/Job/EraseFilesOperation.h"
#include "app/Main/FileEraser/FileObjBuilder.h"

#include <QDialog>
#include <memory>
#include <optional>

class OperationRunner;
class QLabel;
class QProgressBar;
class QPushButton;
class QStackedWidget;

// The loader's own erasure window for a path handed over by the file-manager action. The shared
// erasure (EraseFilesOperation, with the loader's erasure level) is planned by an
// OperationRunner off the UI thread while the window says it is preparing (Cancel stops it);
// the plan's question is then asked on the window's confirmation page (twice for a home or
// system folder or a mount point), and only a yes runs it, with progress, the current path and
// Cancel. A success or a failure view (with what failed and why) follows, whose OK button ends
// the modal loop. A path the erasure refuses ("." or the program's own files) only gets the
// refusal.
class EraserWC : public QDialog {
    Q_OBJECT
public:
    // PROGRAMNAME: whose user defaults hold the level (the loader's by default).
    explicit EraserWC(
        QWidget* parent = nullptr, QString programName = QString(),
        FileObjBuilder::SolidStateTest solidState = FileObjBuilder::systemSolidStateTest());
    ~EraserWC() override;

    // Plans the erasure of PATH; the confirmation page follows (or the refusal).
    void eumeFileWithPath(const QString& path);
    void eumeFileWithPath(const QByteArray& path);
    // Asks the planning or the running erasure to stop.
    void cancelButtonAction();

    bool isPlanning() const { return m_planning; }
    bool isErasing() const { return m_erasing; }
    bool succeeded() const { return m_succeeded; }
    bool asksFirst() const;

    QProgressBar* progressBar = nullptr;
    QLabel* pathLabel = nullptr;
    QLabel* countLabel = nullptr;
    QPushButton* cancelButton = nullptr;
    QLabel* resultTitle = nullptr;
    QLabel* resultText = nullptr;
    QPushButton* okButton = nullptr;
    QLabel* confirmTitle = nullptr;
    QLabel* confirmText = nullptr;
    QPushButton* confirmEraseButton = nullptr;
    QPushButton* confirmCancelButton = nullptr;
    QStackedWidget* pages = nullptr; // 0 progress, 1 result, 2 confirmation

protected:
    void closeEvent(QCloseEvent* event) override;
    void reject() override;

private:
    QWidget* buildProgressPage();
    QWidget* buildResultPage();
    QWidget* buildConfirmPage();
    void planArrived(const DestructiveOperation::Plan& plan);
    void showProgress(const DestructiveOperation::Progress& progress);
    void startErasing();
    void erasureEnded();
    void showResult(bool success, const QString& text);

    QString m_programName;
    FileObjBuilder::SolidStateTest m_solidState;
    OperationRunner* m_runner = nullptr;
    std::shared_ptr<EraseFilesOperation> m_operation;
    std::optional<DestructiveOperation::Plan> m_plan;
    QLabel* m_progressTitle = nullptr;
    QString m_shown;
    // Why the path needs a second, explicit yes (a home, a system folder, a mount point); empty
    // when the first answer is enough. Set to empty once that second question was shown.
    QString m_consentQuestion;
    bool m_planning = false;
    bool m_erasing = false;
    bool m_cancelled = false;
    bool m_succeeded = false;
};
