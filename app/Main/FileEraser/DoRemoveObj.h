#pragma once

#include <QObject>
#include <QProcess>
#include <QStringList>

// What DoRemoveObj reports: the end of its list. The default body does nothing.
class DoRemoveObjDelegate {
public:
    virtual ~DoRemoveObjDelegate() = default;
    virtual void removeObjEnd() {}
};

// Erases a plain list of paths one after the other with the secure-remove tool in its single-pass
// form (used to empty a volume before it is wiped). No results and no progress: only the end is
// reported. The work starts once control returns to the event loop, so the delegate set right
// after construction is always in place before the first tool ends.
class DoRemoveObj : public QObject {
    Q_OBJECT
public:
    explicit DoRemoveObj(QStringList paths, QObject* parent = nullptr);
    ~DoRemoveObj() override;

    void setDelegate(DoRemoveObjDelegate* delegate) { m_delegate = delegate; }
    const QStringList& allFilesArr() const { return m_allFilesArr; }
    int idx() const { return m_idx; }
    bool isFinished() const { return m_finished; }

private:
    void runTaskWithPath();
    void toolEnded(QProcess* process);

    DoRemoveObjDelegate* m_delegate = nullptr;
    QProcess* m_pEraser = nullptr;
    QString m_filePathStr;
    QStringList m_allFilesArr;
    int m_idx = 0;
    bool m_finished = false;
};
