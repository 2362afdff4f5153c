#pragma once

#include "app/inter/HistoryRecord.h"

#include <QStringList>
#include <QWidget>
#include <functional>

class DoDataBase;
class QPushButton;
class QStackedWidget;
class QTreeWidget;
class QTreeWidgetItem;

// The erasure history, slid in over the file-eraser or volume-wiping module: every entry newest
// first, each expanding to its lines; delete one entry, empty all, or export one entry as an HTML
// report. All entries are listed whatever module opened the view.
class HistoryViewController : public QWidget {
    Q_OBJECT
public:
    // Asks where to save a report; PROPOSED is the suggested path. Empty when cancelled.
    using SavePathAsker = std::function<QString(QWidget* parent, const QString& proposed)>;

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

    // Reads the history and fills the outline (or the empty state).
    void getEraserHistory();

    const HistoryData& history() const { return m_history; }
    const QStringList& sortedKeys() const { return m_sortedKeys; }
    // Key of the last selected entry; empty until one was selected.
    QString keyClickStr() const { return m_keyClickStr; }
    QTreeWidget* outline() const { return m_outline; }
    bool showsEmptyState() const;

    void deleteEntry(const QString& key);
    // Deletes every entry, reloads and closes the view.
    void emptyAll();
    // Asks for a file and writes the report of entry KEY there; an empty KEY exports the newest
    // entry (the export button belongs to a row, so this only happens when called directly).
    void exportEntry(const QString& key);
    void setSavePathAsker(SavePathAsker asker) { m_askSavePath = std::move(asker); }

    // Covers the parent and slides in from its right edge, or back out and hides (0.5 s).
    void slideIn();
    void slideOut();

signals:
    // The view has slid out and is hidden.
    void closed();

private:
    void buildOutline();
    void showEntryButtons(QTreeWidgetItem* item);
    void selectionChanged();
    QWidget* makeEntryButtons(const QString& key);
    QString askSavePath(const QString& proposed);

    DoDataBase* m_database;
    QString m_kind;
    HistoryData m_history;
    QStringList m_sortedKeys;
    QString m_keyClickStr;
    QTreeWidgetItem* m_buttonsRow = nullptr;
    SavePathAsker m_askSavePath;
    QString m_lastExportFolder;

    QStackedWidget* m_pages;
    QTreeWidget* m_outline;
    QPushButton* m_emptyAll;
    QPushButton* m_close;
    QPushButton* m_ok;
};
