#pragma once

#include "app/Main/FileEraser/FileObjBuilder.h"
#include "app/Main/FileEraser/RemoveFileAndFolderDelegate.h"

#include <QDialog>

class QLabel;
class QProgressBar;
class QPushButton;
class QStackedWidget;
class RemoveFileAndFolder;

// The loader's own erasure window for a path handed over by the file-manager action: it expands
// the path into erase items, runs the deletion task on them at once with the loader's erasure
// level, shows progress with the current path and a Cancel button, and then a success or a
// failure view whose OK button ends the modal loop.
class EraserWC : public QDialog, public RemoveFileAndFolderDelegate {
    Q_OBJECT
public:
    // PROGRAMNAME: whose user defaults hold the level (the loader's by default).
    explicit EraserWC(
        QWidget* parent = nullptr, QString programName = QString(),
        FileObjBuilder::SolidStateTest solidState = FileObjBuilder::systemSolidStateTest());
    ~EraserWC() override;

    // Builds the items for PATH and starts erasing them.
    void eumeFileWithPath(const QString& path);
    // Asks the running erasure to stop.
    void cancelButtonAction();

    bool isErasing() const { return m_erasing; }
    bool succeeded() const { return m_succeeded; }

    void removeProgress(float progress, const QString& path, int index) override;
    void haveFailEraser() override { m_failed = true; }
    void removeObjEnd(const QList<FileObjPtr>& processed) override;

    QProgressBar* progressBar = nullptr;
    QLabel* pathLabel = nullptr;
    QLabel* countLabel = nullptr;
    QPushButton* cancelButton = nullptr;
    QLabel* resultTitle = nullptr;
    QLabel* resultText = nullptr;
    QPushButton* okButton = nullptr;
    QStackedWidget* pages = nullptr;

protected:
    void closeEvent(QCloseEvent* event) override;
    void reject() override;

private:
    QWidget* buildProgressPage();
    QWidget* buildResultPage();
    void showResult(bool success, const QString& text);

    QString m_programName;
    FileObjBuilder m_builder;
    RemoveFileAndFolder* m_task = nullptr;
    QString m_path;
    qsizetype m_total = 0;
    bool m_erasing = false;
    bool m_failed = false;
    bool m_cancelled = false;
    bool m_succeeded = false;
};
