#pragma once

#include <QString>

// The lock a free-space wipe holds on the volume it wipes, from its first step to its last: an
// exclusive flock on the volume's root folder. Every wipe of a volume takes it, whatever the
// process, so a second wipe of the same volume is recognised and refused, and work folders
// that earlier runs left are swept only while no wipe of the volume runs. The root folder is
// opened without following a link; the work folder is then made and reached from it.
class FreeSpaceWipeLock {
public:
    enum class Outcome {
        Held,         // this object holds the lock
        AnotherWipe,  // a wipe of this volume (in this process or another) holds it
        ReadOnly,     // the volume is mounted read-only: there is nothing to wipe on it
        NoPermission, // the root folder cannot be opened by this user
        Failed        // anything else; error() says what
    };

    FreeSpaceWipeLock() = default;
    ~FreeSpaceWipeLock();
    FreeSpaceWipeLock(const FreeSpaceWipeLock&) = delete;
    FreeSpaceWipeLock& operator=(const FreeSpaceWipeLock&) = delete;

    // Takes the lock on the volume mounted at MOUNTPOINT without waiting.
    Outcome acquire(const QString& mountPoint);
    void release();

    bool held() const { return m_fd >= 0; }
    // The volume's root folder, open while the lock is held (-1 otherwise).
    int rootFd() const { return m_fd; }
    QString error() const { return m_error; }

private:
    int m_fd = -1;
    QString m_error;
};
