#pragma once

#include "app/Job/DestructiveOperation.h"
#include "app/inter/HistoryRecord.h"
#include "app/inter/HistoryStatus.h"

#include <QHash>
#include <QStringList>
#include <QWidget>
#include <functional>

class DoDataBase;
class OperationRunner;
class QLabel;
class QPushButton;
class QStackedWidget;
class QTreeWidget;
class QTreeWidgetItem;

// The erasure history, slid in over the file-eraser or volume-wiping module: every entry newest
// first, each expanding to its lines; delete one entry, empty all, export one entry as an HTML
// report (its lines and the facts of the erasure), or save its signed erasure certificate. All
// entries are listed whatever module opened the view.
//
// A history that cannot be read is never shown as an empty list: the view says why, with the
// file ("… is locked by another program", "… is damaged"), offers "Try Again", and for a damaged
// history "Repair", which — after a confirmation naming where the damaged file is kept — puts it
// aside and starts a new, empty history. A failed delete is said in a notice above the list.
//
// Delete and Empty All run DeleteHistoryOperation through an OperationRunner, off the UI
// thread; until it has ended the view does not read the history itself.
class HistoryViewController : public QWidget {
    Q_OBJECT
public:
    // Asks where to save a report; PROPOSED is the suggested path. Empty when cancelled.
    using SavePathAsker = std::function<QString(QWidget* parent, const QString& proposed)>;
    // Asks the user to confirm a repair described by TEXT (which names the kept file's path).
    using RepairConfirmer = std::function<bool(QWidget* parent, const QString& text)>;

    // DATABASE defaults to the shared history.
    explicit HistoryViewController(QWidget* parent = nullptr, DoDataBase* database = nullptr);

    // Opens the view over AREA as a module does: marks the module's history as seen (its
    // unseen-history flag becomes "0"; the module then refreshes its history button), loads the
    // history and slides in. The view deletes itself once it has slid out.
    static HistoryViewController* openOver(QWidget* area, const QString& kind);
    // The settings key of KIND's unseen-history flag: "WipeFileHistory" or "WipeVolumeHistory".
    static QString unseenFlagFor(const QString& kind);

    // The opening module's kind, "WipeFile" or "WipeVolume".
    void setKind(const QString& kind) { m_kind = kind; }
    QString kind() const { return m_kind; }

    // Reads the history and fills the outline, the empty state (a readable history without
    // entries) or the error state (a history that cannot be read).
    void getEraserHistory();

    const HistoryData& history() const { return m_history; }
    const QStringList& sortedKeys() const { return m_sortedKeys; }
    // Key of the last selected entry; empty until one was selected.
    QString keyClickStr() const { return m_keyClickStr; }
    QTreeWidget* outline() const { return m_outline; }
    bool showsEmptyState() const;
    // The status of the last read; the error state shows when it is not Ok.
    const HistoryStatus& status() const { return m_status; }
    bool showsErrorState() const;
    // The error state's text ("The erasure history cannot be read: PATH is locked by another
    // program", …) and the notice above the list (a failed delete, a repair's outcome).
    QString errorText() const;
    QString noticeText() const;

    // Deletes entry KEY, then reloads (deletionEnded() follows).
    void deleteEntry(const QString& key);
    // The "Empty All" button: asks first (the entries cannot be brought back), then emptyAll().
    void askEmptyAll();
    void setEmptyConfirmer(RepairConfirmer confirmer) { m_confirmEmpty = std::move(confirmer); }
    // Deletes every entry shown, reloads and closes the view (deletionEnded() follows).
    void emptyAll();
    // A deletion is under way.
    bool isDeleting() const;
    // Asks for a file and writes the report of entry KEY there; an empty KEY exports the newest
    // entry (the export button belongs to a row, so this only happens when called directly).
    void exportEntry(const QString& key);
    void setSavePathAsker(SavePathAsker asker) { m_askSavePath = std::move(asker); }
    // Asks where to save the signed certificate of entry KEY and writes it there (0600): a PDF,
    // an HTML page or the signed JSON, by the name's extension (PDF when it has none).
    void exportCertificate(const QString& key);
    void setCertificatePathAsker(SavePathAsker asker) { m_askCertificatePath = std::move(asker); }

    // The "Repair" button: only for a history that is damaged now (a locked one is never
    // repaired), and only once the user has confirmed. Reloads afterwards.
    void repairHistory();
    void setRepairConfirmer(RepairConfirmer confirmer) { m_confirmRepair = std::move(confirmer); }
    // What the error state says for STATUS (translated).
    static QString unreadableText(const HistoryStatus& status);

    // Covers the parent and slides in from its right edge, or back out and hides (0.5 s).
    void slideIn();
    void slideOut();

signals:
    // The view has slid out and is hidden.
    void closed();
    // A Delete or Empty All has ended, done or said why not.
    void deletionEnded();

private:
    void buildOutline();
    void addButtonsToShownEntries();
    void addEntryButtons(QTreeWidgetItem* entry);
    bool eventFilter(QObject* watched, QEvent* event) override;
    void selectionChanged();
    QWidget* makeEntryButtons(const QString& key);
    QString askSavePath(const QString& proposed);
    bool confirmRepair(const QString& text);
    // TEXT above the list: in the warning colour for what failed (WARNING), else muted.
    void setNotice(const QString& text, bool warning = true);
    static QString reasonText(const HistoryStatus& status);
    void startDeletion(const QStringList& keys, bool emptying);
    void deletionPlanned(const DestructiveOperation::Plan& plan);
    void deletionDone();
    void deletionFailed(const QString& why);

    DoDataBase* m_database;
    OperationRunner* m_runner = nullptr;
    QStringList m_deleting; // the keys of the deletion under way
    bool m_emptying = false;
    QString m_kind;
    HistoryStatus m_status;
    HistoryData m_history;
    QMap<QString, QStringList> m_types; // each entry's kinds, read with the history
    QHash<QString, qint64> m_sizes;     // each entry's erased bytes, where its facts say
    QStringList m_sortedKeys;
    QString m_keyClickStr;
    SavePathAsker m_askSavePath;
    SavePathAsker m_askCertificatePath;
    RepairConfirmer m_confirmRepair;
    RepairConfirmer m_confirmEmpty;
    QString m_lastExportFolder;

    QStackedWidget* m_pages;
    QTreeWidget* m_outline;
    QLabel* m_notice;
    QLabel* m_errorText;
    QPushButton* m_repair;
    QPushButton* m_retry;
    QPushButton* m_emptyAll;
    QPushButton* m_close;
    QPushButton* m_ok;
};
