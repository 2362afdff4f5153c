#pragma once

#include <QByteArray>
#include <QCoreApplication>
#include <QHash>
#include <QList>
#include <QString>

// The check every path goes through before anything is erased, in every front end. Bad input
// never erases what the user did not name: as coreutils rm does, an empty path, ".", "..", any
// path whose last component is "." or "..", and the root folder are refused, and so is any path
// that is, holds or lies inside the program's own bundle, its erasure tool or its history.
// The home folder of any account (not only the user's own), a folder that holds one, the
// folders the system needs and the mount point of a volume are erased only with an explicit
// second consent.
//
// Paths are made absolute once, here (against the current folder), and kept as the bytes given:
// ".." inside a path is not resolved by text, since a link before it would change its meaning.
class ErasePathCheck {
    Q_DECLARE_TR_FUNCTIONS(ErasePathCheck)

public:
    enum class Verdict { Accept, Refuse, NeedsConsent };
    enum class Reason {
        None,
        Empty,        // ""
        DotOrDotDot,  // ".", "..", "x/.", "x/.."
        RootFolder,   // "/" however written
        ProgramFiles, // the program's bundle, its srm or its history database
        Missing,      // nothing at that path
        Ntfs,         // files are not erased on NTFS volumes
        HomeFolder,   // consent: an account's home folder itself
        HoldsHomes,   // consent: a folder that holds accounts' home folders
        SystemFolder, // consent: a folder the system needs
        MountPoint,   // consent: the mount point of a mounted volume
    };

    struct Result {
        Verdict verdict = Verdict::Refuse;
        Reason reason = Reason::None;
        QByteArray absolute; // the path made absolute (as given when that failed)
        QString shown;       // its display form
        QString detail;      // the file-system type, or the program file it would reach
        bool copyOnWrite = false;
        QString fileSystem; // the type of the volume the path is on

        bool accepted() const { return verdict == Verdict::Accept; }
    };

    // What the check protects; by default the running program's own files and the home folders
    // of every account in the account database, of the user it works for and of $HOME.
    struct Protected {
        QList<QByteArray> programFiles;    // refused, with everything holding them
        QByteArray bundle;                 // refused, with everything inside it
        QList<QByteArray> homes;           // need consent, as do the folders holding them
        QHash<QByteArray, QString> owners; // home -> the account's name, where known
    };
    static Protected systemProtected();
    // Reads the accounts from PASSWD_FILE (passwd(5) lines) instead of the system's account
    // database; empty: the system's again. For tests, which must not depend on the machine's
    // accounts.
    static void setAccountFile(const QString& passwdFile);

    ErasePathCheck();
    explicit ErasePathCheck(Protected protectedPaths);

    // Checks RAW as the user gave it. Types of file systems are asked once per device.
    Result check(const QByteArray& raw);
    Result check(const QString& path);

    // The user's sentence for a refusal or a consent question, naming the path.
    // Shown: the user's language; English: what logs and records keep.
    enum class Language { Shown, English };
    static QString message(const Result& result, Language language = Language::Shown);

    // The path with "./" components, doubled and trailing slashes removed, made absolute against
    // the current folder. Empty for an empty path.
    static QByteArray absolutePath(const QByteArray& raw);
    // The canonical form of an existing entry: its folder resolved, its own name kept (a link is
    // itself, not what it points to). Empty when the folder cannot be resolved.
    static QByteArray canonicalEntry(const QByteArray& absolute);
    // True for the folders the system needs (and everything in /usr, /etc, /boot...).
    static bool isSystemFolder(const QByteArray& canonical);

private:
    Protected m_protected;
    QHash<quint64, QString> m_typeByDevice;
};
