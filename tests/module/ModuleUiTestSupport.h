#pragma once

#include "app/Main/ModuleOwner.h"

#include <QList>
#include <QObject>
#include <QPointer>
#include <QSet>
#include <QStringList>
#include <QTemporaryDir>
#include <QTimer>
#include <functional>

class AttachedWindow;
class QWidget;

namespace moduletest {

// For the screenshot tools, before their application starts: settings and data go to CONFIG,
// not the user's, and the offscreen platform draws unless another one is chosen.
void prepareScreenshotRun(const QTemporaryDir& config);

// A temporary program bundle set as the one the code finds: the shipped settings store, an
// empty history database and the stand-in batch "srm" of tests/support/FakeSrm.h (a file whose
// name contains "slow" keeps it busy, to cancel it).
class TempBundle {
public:
    enum class Tool { Fake, Real };
    // Tool::Real puts the srm built into the build tree's bundle in place of the stand-in (its
    // absence fails the test that asked for it).
    explicit TempBundle(Tool tool = Tool::Fake);
    ~TempBundle();
    QString root() const { return m_dir.path(); }
    QString work() const; // a folder for the files to erase
    QString resources() const;
    QString settingValue(const QString& key) const;

private:
    QTemporaryDir m_dir;
    QString m_outer;
};

// Records what the module asks of the main window.
struct OwnerSpy : ModuleOwner {
    QList<bool> calls;
    void canChangeType(bool canChange) override { calls.append(canChange); }
};

// Answers attached windows as a user would: when a window showing a view of a given name is up
// (and its condition holds), presses the named button in it.
class Answerer : public QObject {
public:
    struct Rule {
        QString view;
        QString button;
        std::function<bool(QWidget* view)> when; // empty: at once
    };
    explicit Answerer(QList<Rule> rules);
    // Names of the views answered, in order.
    const QStringList& answered() const { return m_answered; }
    // Runs the event loop until COUNT views were answered or MS passed (questions asked once a
    // plan made on a worker has come back); true when they were.
    bool waitFor(int count, int ms = 10000);
    // Called with every view just before its button is pressed.
    std::function<void(QWidget* view)> inspect;

private:
    void poll();
    QList<Rule> m_rules;
    QTimer m_timer;
    // Guarded: AttachedWindow::run keeps its window on the stack, so two questions asked one
    // after the other get windows at the same address; a destroyed window's entry goes null.
    QList<QPointer<AttachedWindow>> m_done;
    QStringList m_answered;
};

QString writeFile(const QString& path, int bytes);
bool exists(const QString& path);

// User defaults of a test's own, holding LEVEL: the shared ones (QSettings' user scope) are read
// by every other test of the machine, which expects its own level there.
class PrivateUserDefaults {
public:
    explicit PrivateUserDefaults(int level);
    ~PrivateUserDefaults();

private:
    QTemporaryDir m_dir;
};

} // namespace moduletest
