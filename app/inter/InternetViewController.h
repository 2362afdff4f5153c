#pragma once

#include "app/Job/DestructiveOperation.h"
#include "app/inter/BrowerObj.h"
#include "app/inter/BrowserCleaner.h"
#include "app/inter/BrowserScanner.h"

#include <QFutureWatcher>
#include <QList>
#include <QStringList>
#include <QWidget>
#include <functional>
#include <memory>

class CleanBrowsersOperation;
class ImageButton;
class OperationRunner;
class ModuleOwner;
class QLabel;
class QTreeWidget;
class QTreeWidgetItem;

// The internet cleaner module: the browsers found, each with its data kinds and what they hold
// (entries, size, or "unknown" with the reason), to tick and clean; folders of a browser that
// were not followed show as warning rows under it. "Clean" first asks
// (MakeSureCleanBrowsersViewController), then offers to close running browsers
// (CloseBrowerViewController); nothing is touched before both are answered yes. The end view
// names whatever was not removed and why. The sites whose cookies stay are edited in
// CookieKeepListViewController. The scan and the clean run off the main thread; the tree is
// rebuilt on the main thread afterwards.
class InternetViewController : public QWidget {
    Q_OBJECT
public:
    static constexpr int kNameColumn = 0, kSizeColumn = 1;
    // A kind row's index in its browser's kinds; rows without it (folders not followed) are
    // no data to choose.
    static constexpr int kKindRole = Qt::UserRole + 1;
    // What to scan: tests give a fixture home. Empty: the user the program works for.
    using OptionsProvider = std::function<BrowserScanner::Options()>;

    explicit InternetViewController(ModuleOwner* owner, OptionsProvider options = {},
                                    QWidget* parent = nullptr);
    ~InternetViewController() override;

    void scanBrowsers();
    void cleanButtonAction();
    // Opens the list of sites whose cookies stay; a saved list is scanned again.
    void editKeptCookies();

    bool isScan() const { return m_isScan; }
    bool isCleaning() const { return m_running; }
    const QList<BrowerObjPtr>& browsers() const { return m_browsers; }
    QTreeWidget* tree() const { return m_tree; }
    ImageButton* cleanButton() const { return m_clean; }
    ImageButton* keptCookiesButton() const { return m_keptCookies; }
    QLabel* countLabel() const { return m_count; }

    static BrowserScanner::Options defaultOptions();

signals:
    void scanFinished();
    void cleanFinished(const BrowserCleaner::Summary& summary);

private:
    void reloadTree();
    void itemChanged(QTreeWidgetItem* item, int column);
    // The browser row's tick from its kinds: all, none, or some of them.
    static void syncBrowserCheck(QTreeWidgetItem* top, const BrowerObj& browser);
    // Why a chosen kind of BROWSER still holds data after the last clean; empty when it does not.
    QString whyNotCleaned(const BrowerObj& browser, const BrowerObj& kind) const;
    void updateCount();
    void planned(const DestructiveOperation::Plan& plan);
    void showEnd(const BrowserCleaner::Summary& summary);

    ModuleOwner* m_owner;
    OptionsProvider m_optionsProvider;
    BrowserScanner::Options m_options;
    QList<BrowerObjPtr> m_browsers;
    QFutureWatcher<QList<BrowerObjPtr>> m_scan;
    OperationRunner* m_runner;
    std::shared_ptr<CleanBrowsersOperation> m_cleanOperation;
    QStringList m_copyOnWriteWarnings; // said in the question, found when it was asked
    bool m_isScan = false;
    bool m_running = false;
    bool m_reloading = false;
    QStringList m_leftRunning; // browsers the last clean left alone because they ran
    QTreeWidget* m_tree;
    QLabel* m_count;
    ImageButton* m_refresh;
    ImageButton* m_keptCookies;
    ImageButton* m_clean;
};
