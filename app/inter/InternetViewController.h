#pragma once

#include "app/inter/BrowerObj.h"
#include "app/inter/BrowserCleaner.h"
#include "app/inter/BrowserScanner.h"

#include <QFutureWatcher>
#include <QList>
#include <QWidget>
#include <functional>

class ImageButton;
class ModuleOwner;
class QLabel;
class QTreeWidget;
class QTreeWidgetItem;

// The internet cleaner module: the browsers found, each with its data kinds and what they hold
// (entries or size), to tick and clean. Running browsers are offered to be closed first
// (CloseBrowerViewController); the end view names whatever was not removed and why. The scan
// and the clean run off the main thread; the tree is rebuilt on the main thread afterwards.
class InternetViewController : public QWidget {
    Q_OBJECT
public:
    static constexpr int kNameColumn = 0, kSizeColumn = 1;
    // What to scan: tests give a fixture home. Empty: the user the program works for.
    using OptionsProvider = std::function<BrowserScanner::Options()>;

    explicit InternetViewController(ModuleOwner* owner, OptionsProvider options = {},
                                    QWidget* parent = nullptr);
    ~InternetViewController() override;

    void scanBrowsers();
    void cleanButtonAction();

    bool isScan() const { return m_isScan; }
    bool isCleaning() const { return m_running; }
    const QList<BrowerObjPtr>& browsers() const { return m_browsers; }
    QTreeWidget* tree() const { return m_tree; }
    ImageButton* cleanButton() const { return m_clean; }
    QLabel* countLabel() const { return m_count; }

    static BrowserScanner::Options defaultOptions();

signals:
    void scanFinished();
    void cleanFinished(const BrowserCleaner::Summary& summary);

private:
    void reloadTree();
    void itemChanged(QTreeWidgetItem* item, int column);
    void updateCount();
    void startClean(bool closeRunning);
    void showEnd(const BrowserCleaner::Summary& summary);

    ModuleOwner* m_owner;
    OptionsProvider m_optionsProvider;
    BrowserScanner::Options m_options;
    QList<BrowerObjPtr> m_browsers;
    QFutureWatcher<QList<BrowerObjPtr>> m_scan;
    QFutureWatcher<BrowserCleaner::Summary> m_cleaning;
    bool m_isScan = false;
    bool m_running = false;
    bool m_reloading = false;
    QTreeWidget* m_tree;
    QLabel* m_count;
    ImageButton* m_refresh;
    ImageButton* m_clean;
};
