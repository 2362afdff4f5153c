#pragma once

#include <QString>

// The settings store: a property list whose top level is a dictionary of strings, kept among the
// main application's resources (NexwipeBase.plist) so that the loader, running as the user, and
// the main program, running as root, share it.
//
// Every read loads the whole file anew; every write loads it, sets one key and replaces the whole
// file atomically (a reader sees the old or the new file, never a half-written one), keeping every
// other key as it was, whatever its type. A write that fails (a full or read-only volume) leaves
// the old file as it was and is logged. There is no cache and no lock: the last writer wins.
// A missing or unreadable store reads as empty and is never created by a write.
class SettingsStore {
public:
    explicit SettingsStore(QString path);

    // The main bundle's "NexwipeBase.plist" (empty path when the bundle has none).
    static SettingsStore mainStore();

    const QString& path() const { return m_path; }

    // The string stored under KEY; empty when the store, the key or a string value is missing.
    QString value(const QString& key) const;
    bool contains(const QString& key) const;
    // Stores VALUE under KEY. False when the store is missing, unreadable or cannot be replaced.
    bool setValue(const QString& key, const QString& value) const;

private:
    QString m_path;
};
