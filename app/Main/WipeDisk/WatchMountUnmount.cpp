#include "app/Main/WipeDisk/WatchMountUnmount.h"

#include "platform/MountTable.h"
#include <QFile>
#include <QSocketNotifier>

#include <libmount/libmount.h>

WatchMountUnmount::WatchMountUnmount(QObject* parent) : QObject(parent) {
    m_devices = mountedDevices();
    m_monitor = mnt_new_monitor();
    if (m_monitor == nullptr || mnt_monitor_enable_kernel(m_monitor, 1) != 0)
        return;
    const int fd = mnt_monitor_get_fd(m_monitor);
    if (fd < 0)
        return;
    m_notifier = new QSocketNotifier(fd, QSocketNotifier::Read, this);
    connect(m_notifier, &QSocketNotifier::activated, this, &WatchMountUnmount::changed);
}

WatchMountUnmount::~WatchMountUnmount() {
    delete m_notifier;
    if (m_monitor)
        mnt_unref_monitor(m_monitor);
}

QSet<QString> WatchMountUnmount::mountedDevices() {
    QSet<QString> devices;
    for (const MountTable::Entry& entry : MountTable::read())
        if (entry.source.startsWith(QLatin1String("/dev/")))
            devices.insert(entry.source);
    return devices;
}

void WatchMountUnmount::changed() {
    const char* target = nullptr;
    int type = 0;
    while (mnt_monitor_next_change(m_monitor, &target, &type) == 0) {
    }
    const QSet<QString> now = mountedDevices();
    const bool added = !(now - m_devices).isEmpty();
    const bool removed = !(m_devices - now).isEmpty();
    m_devices = now;
    if (added)
        emit MCVolumeMount();
    if (removed)
        emit MCVolumeUnmount();
}
