#pragma once

#include <QString>
#include <QStringList>

// A small file system image mounted for the length of a test: the image is formatted, attached
// to a loop device of its own when the mount needs one, mounted, and all of it undone at the end.
class LoopMount {
public:
    // Why mounting cannot work here (not root, a tool missing), or empty when it can.
    static QString unavailableReason(const QStringList& tools);
    // Runs PROGRAM with ARGS; true when it exits with 0. Output is kept for messages.
    static bool run(const QString& program, const QStringList& args, QString* output = nullptr);

    LoopMount(const QString& folder, qint64 sizeBytes);
    ~LoopMount();
    LoopMount(const LoopMount&) = delete;
    LoopMount& operator=(const LoopMount&) = delete;

    const QString& image() const { return m_image; }
    const QString& mountPoint() const { return m_mountPoint; }
    const QString& loopDevice() const { return m_loop; }
    const QString& error() const { return m_error; }

    bool format(const QString& mkfs, const QStringList& args); // the image path is appended
    bool attachLoop();
    // Mounts with PROGRAM ARGS…; "%dev" is replaced by the loop device (or the image), "%mnt" by
    // the mount point.
    bool mount(const QString& program, const QStringList& args);

private:
    QString m_image;
    QString m_mountPoint;
    QString m_loop;
    QString m_error;
    bool m_mounted = false;
};
