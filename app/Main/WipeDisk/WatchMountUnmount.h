#pragma once

#include <QObject>
#include <QSet>
#include <QString>

class QSocketNotifier;
struct libmnt_monitor;

// Follows the mount table (libmount's monitor) and says when a block-device volume was mounted
// or unmounted, under the names the volume modules listen to.
class WatchMountUnmount : public QObject {
    Q_OBJECT
public:
    explicit WatchMountUnmount(QObject* parent = nullptr);
    ~WatchMountUnmount() override;

    // The mounted block devices now, as the mount table lists them.
    static QSet<QString> mountedDevices();

signals:
    void MCVolumeMount();
    void MCVolumeUnmount();

private:
    void changed();

    libmnt_monitor* m_monitor = nullptr;
    QSocketNotifier* m_notifier = nullptr;
    QSet<QString> m_devices;
};
