#pragma once

#include <QObject>

// Tells every page that names the erasure standard when the stored one changes, so a header
// follows the chooser at once instead of when its page is next shown. One per process.
class EraserStandardNotifier : public QObject {
    Q_OBJECT
public:
    static EraserStandardNotifier& instance();

signals:
    void standardChanged();

private:
    EraserStandardNotifier() = default;
};
