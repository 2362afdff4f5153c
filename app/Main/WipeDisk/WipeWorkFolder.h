#pragma once

#include <QString>
#include <QStringList>
#include <string>

// The folder at a volume's root that holds the fill files of a free-space wipe. It is ours only
// when this run made it (mkdir, which fails on anything already there) and put our marker file
// in it (O_EXCL): a user's folder or file of the same name is never touched, and the next free
// name (".Korvane", ".Korvane-2", ...) is taken instead. Everything is reached from the
// descriptor of the volume's root and of the folder, never through a link.
//
// A folder a killed wipe left is recognised by its marker and swept, but only under the
// volume's FreeSpaceWipeLock, so the folder of a wipe that is running is never taken. Only fill
// files (".korvane_N", and ".korvane_N_TAG" of the metadata fill; regular files), the marker and
// the then empty folder are removed;
// anything else found inside stays, and so does the folder around it.
class WipeWorkFolder {
public:
    static inline const QString kBaseName = QStringLiteral(".Korvane");
    static inline const char* const kMarkerName = ".korvane-wipe";
    static inline const char* const kMarkerFirstLine = "Korvane Data Eraser free-space wipe";

    enum class Outcome { Made, ReadOnly, NoPermission, Failed };

    WipeWorkFolder() = default;
    ~WipeWorkFolder(); // removes the folder if remove() has not
    WipeWorkFolder(const WipeWorkFolder&) = delete;
    WipeWorkFolder& operator=(const WipeWorkFolder&) = delete;

    // Makes a work folder at the volume root ROOTFD (whose lock the caller holds).
    Outcome make(int rootFd);
    // Removes the fill files, the marker and the folder; false when something stays.
    bool remove();

    int fd() const { return m_fd; }
    QString name() const { return m_name; }
    QString runId() const { return m_runId; }
    QString error() const { return m_error; }

    // Removes the work folders earlier runs left at the volume root ROOTFD; the caller holds the
    // volume's lock. Returns the names of those removed.
    static QStringList sweep(int rootFd);
    // Sweeps each volume whose lock can be taken now (no wipe of it is running); returns the
    // paths of the folders removed.
    static QStringList removeLeftovers(const QStringList& mountPoints);

    // ".Korvane" or ".Korvane-N": the names a work folder gets.
    static bool isWorkFolderName(const QString& name);
    // ".korvane_N" and ".korvane_N_TAG" (TAG: lower-case letters and digits): the names fill
    // files get.
    static bool isFillFileName(const QString& name);
    // True when the folder FOLDERFD holds our marker (a regular file starting with our line).
    static bool hasMarker(int folderFd);

private:
    // Removes the fill files and the marker from FOLDERFD, then NAME from ROOTFD if it is still
    // that folder and empty.
    static bool clear(int rootFd, int folderFd, const std::string& name);

    int m_rootFd = -1; // the volume's root, opened anew
    int m_fd = -1;
    QString m_name;
    QString m_runId;
    QString m_error;
};
