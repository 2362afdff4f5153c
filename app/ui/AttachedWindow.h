#pragma once

#include <QDialog>
#include <QPointer>

// A view shown as a modal window attached to the main window: a frameless, window-modal dialog
// centred on the owner's window, which is dimmed while it is open. Confirmation, progress and
// result views of every module are shown this way.
class AttachedWindow : public QDialog {
    Q_OBJECT
public:
    // Wraps VIEW (the window takes it over) for OWNER's top-level window.
    AttachedWindow(QWidget* view, QWidget* owner);
    ~AttachedWindow() override;

    QWidget* view() const { return m_view; }

    // Shows VIEW without blocking; the window deletes itself (and the view) once closed.
    static AttachedWindow* present(QWidget* view, QWidget* owner);
    // Shows VIEW and runs a local event loop until the window is closed; returns the result.
    // Work started before the call keeps running: its queued reports are handled by the loop.
    // A question that may be dismissed passes CLOSABLEBYESCAPE: Escape then rejects it.
    static int run(QWidget* view, QWidget* owner, bool closableByEscape = false);
    // Closes the attached window holding VIEW with RESULT; false when VIEW is in none.
    static bool dismiss(QWidget* view, int result = QDialog::Accepted);

    // Escape closes the window (as a rejection) only when allowed; progress views forbid it.
    void setClosableByEscape(bool closable) { m_closableByEscape = closable; }

protected:
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void centreOnOwner();

    QWidget* m_view;
    QPointer<QWidget> m_owner;
    QPointer<QWidget> m_shade;
    bool m_closableByEscape = false;
};
