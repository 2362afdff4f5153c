#pragma once

#include "app/Main/FileEraser/EraseJob.h"
#include "app/Main/FileEraser/FileObjBuilder.h"

#include <QDialog>

class QLabel;
class QProgressBar;
class QPushButton;
class QStackedWidget;

// The loader's own erasure window for a path handed over by the file-manager action: it runs
// the shared erasure job on the path at once with the loader's erasure level, shows progress
// with the current path and a Cancel button, and then a success or a failure view (with what
// failed and why) whose OK button ends the modal loop. A path the erasure refuses ("." or the
// program's own files) only gets the refusal; a home or system folder, a mount point or a path
// on a copy-on-write volume is erased only after the window's own confirmation page.
class EraserWC : public QDialog, public EraseJobListener {
    Q_OBJECT
public:
    // PROGRAMNAME: whose user defaults hold the level (the loader's by default).
    explicit EraserWC(
        QWidget* parent = nullptr, QString programName = QString(),
        FileObjBuilder::SolidStateTest solidState = FileObjBuilder::systemSolidStateTest());
    ~EraserWC() override;

    // Checks PATH and starts erasing it (after the confirmation page where one is needed).
    void eumeFileWithPath(const QString& path);
    void eumeFileWithPath(const QByteArray& path);
    // Asks the running erasure to stop.
    void cancelButtonAction();

    bool isErasing() const { return m_erasing; }
    bool succeeded() const { return m_succeeded; }
    bool asksFirst() const;
    // The job of the erasure, null until one started.
    const EraseJob* job() const { return m_job; }

    void eraseProgress(float percent, const QString& path, int index, int total) override;
    void eraseFinished(const EraseReport& report) override;

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
    void startErasing(bool consented);
    void showResult(bool success, const QString& text);

    QString m_programName;
    FileObjBuilder::SolidStateTest m_solidState;
    EraseJob* m_job = nullptr;
    QByteArray m_path;
    QString m_shown;
    // Why the path needs a second, explicit yes (a home, a system folder, a mount point); empty
    // when the first answer is enough. Set to empty once that second question was shown.
    QString m_consentQuestion;
    bool m_needsConsent = false;
    bool m_erasing = false;
    bool m_cancelled = false;
    bool m_succeeded = false;
};
