#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QString>
#include <cstdint>
#include <memory>
#include <sys/types.h>

// One collected file: a candidate for comparison, a file inside an application
// bundle, and a row of the result view. Records are shared between the search's lists and the
// view; no one copies them.
class fileAttrbItem {
public:
    // How this file's storage relates to another copy of its group (set after grouping).
    enum class Storage {
        Own,      // its data is its own: removing it frees its size
        HardLink, // another name of the same file (same inode): removing it frees nothing
        Reflink,  // a copy-on-write copy sharing all its extents with another: frees nothing
        SameFile, // the very same file reached along two paths (a link followed at the top)
    };

    QString filePathName;  // absolute path, for display (lossy where the name is not UTF-8)
    QByteArray nativePath; // the same path as the file system's bytes: what is opened
    QString fileName;      // last component of filePathName
    std::uint64_t fileSize = 0;
    std::uint64_t md5 = 0;    // whole-content digest (crc, not MD5); 0: not computed
    std::uint64_t md5_1k = 0; // digest of the first 1024 bytes; 0: not computed

    // Identity and time at collection.
    dev_t device = 0;
    ino_t inode = 0;
    nlink_t links = 0;
    std::int64_t mtimeSec = 0;
    std::int64_t mtimeNsec = 0;

    // Set by the search on the members of a group: the index (in the group) of the first member
    // whose storage this one shares, or -1, and how.
    int sharesWith = -1;
    Storage storage = Storage::Own;

    // Digest attempts that failed (the file could not be opened or read): not retried.
    bool headFailed = false;
    bool wholeFailed = false;

    QDateTime ModificationDate() const;
    // The display form of a native path (UTF-8 where valid, replacement characters elsewhere).
    static QString displayPath(const QByteArray& nativePath);
};

using fileAttrbItemPtr = std::shared_ptr<fileAttrbItem>;
