#include "app/Main/FileEraser/ErasePathCheck.h"

#include "app/Main/FileEraser/FileObjBuilder.h"
#include "app/Main/FileEraser/SrmTool.h"
#include "app/inter/HistoryLocation.h"
#include "platform/BundleLocator.h"
#include "platform/FileSystemInfo.h"
#include "platform/UserAccount.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// Whole trees the system runs from: nothing inside them is erased without consent.
const char* const kSystemTrees[] = {"/bin",   "/boot",   "/dev",  "/etc",  "/lib", "/lib32",
                                    "/lib64", "/libx32", "/proc", "/sbin", "/sys", "/usr"};
// Folders that must not go as a whole, though what is inside them may.
const char* const kSystemFolders[] = {"/home", "/media", "/mnt", "/opt",     "/root",
                                      "/run",  "/srv",   "/tmp", "/var/tmp", "/snap"};

bool within(const QByteArray& path, const QByteArray& folder) {
    return path == folder || (path.startsWith(folder) && path.at(folder.size()) == '/');
}

QByteArray realFolder(const QByteArray& path) {
    char resolved[PATH_MAX];
    return ::realpath(path.constData(), resolved) ? QByteArray(resolved) : QByteArray();
}

bool isMountRoot(const QByteArray& path) {
    struct statx x {};
    if (::statx(AT_FDCWD, path.constData(), AT_SYMLINK_NOFOLLOW | AT_NO_AUTOMOUNT,
                STATX_BASIC_STATS, &x) != 0)
        return false;
    return (x.stx_attributes_mask & STATX_ATTR_MOUNT_ROOT) &&
           (x.stx_attributes & STATX_ATTR_MOUNT_ROOT) && S_ISDIR(x.stx_mode);
}

QString& accountFileOverride() {
    static QString path;
    return path;
}

} // namespace

void ErasePathCheck::setAccountFile(const QString& passwdFile) {
    accountFileOverride() = passwdFile;
}

ErasePathCheck::Protected ErasePathCheck::systemProtected() {
    Protected p;
    const auto add = [](QList<QByteArray>& list, const QString& path) {
        if (path.isEmpty())
            return;
        const QByteArray canonical = canonicalEntry(absolutePath(QFile::encodeName(path)));
        if (!canonical.isEmpty() && !list.contains(canonical))
            list.append(canonical);
    };
    add(p.programFiles, SrmTool::locate());
    add(p.programFiles, HistoryLocation::shippedPath());
    add(p.programFiles, HistoryLocation::writableCopyPath());
    add(p.programFiles, BundleLocator::runningExecutablePath());
    const QString bundle = BundleLocator::outerBundlePath();
    if (!bundle.isEmpty()) {
        p.bundle = canonicalEntry(absolutePath(QFile::encodeName(bundle)));
    }
    // Every account's home: which user the program works for (SUDO_USER, PKEXEC_UID) says
    // nothing about whose files a path holds.
    const QString accountFile = accountFileOverride();
    FILE* file = accountFile.isEmpty() ? nullptr : std::fopen(QFile::encodeName(accountFile), "re");
    if (!file)
        ::setpwent();
    const auto next = [file] { return file ? ::fgetpwent(file) : ::getpwent(); };
    while (const passwd* account = next()) {
        // Missing homes (nobody's /nonexistent) protect nothing; system accounts' homes (/root,
        // /usr/sbin, /var/www) are system folders already and keep that reason.
        const QByteArray home = canonicalEntry(absolutePath(QByteArray(account->pw_dir)));
        if (home.isEmpty() || home == "/" || isSystemFolder(home) ||
            !QFileInfo(QFile::decodeName(home)).isDir() || p.homes.contains(home))
            continue;
        p.homes.append(home);
        p.owners.insert(home, QFile::decodeName(account->pw_name));
    }
    if (file)
        std::fclose(file);
    else
        ::endpwent();
    if (const auto user = UserAccount::invokingUser())
        add(p.homes, user->home);
    if (const passwd* owner = ::getpwuid(::geteuid()))
        add(p.homes, QFile::decodeName(owner->pw_dir));
    add(p.homes, QFile::decodeName(qgetenv("HOME")));
    return p;
}

ErasePathCheck::ErasePathCheck() : ErasePathCheck(systemProtected()) {}

ErasePathCheck::ErasePathCheck(Protected protectedPaths) : m_protected(std::move(protectedPaths)) {}

QByteArray ErasePathCheck::absolutePath(const QByteArray& raw) {
    if (raw.isEmpty())
        return {};
    QByteArray path = raw;
    if (!path.startsWith('/')) {
        char cwd[PATH_MAX];
        if (!::getcwd(cwd, sizeof cwd))
            return raw;
        path = QByteArray(cwd) + '/' + path;
    }
    // Doubled slashes and "." components change nothing; ".." is kept as given.
    QList<QByteArray> parts;
    for (const QByteArray& part : path.split('/'))
        if (!part.isEmpty() && part != ".")
            parts.append(part);
    QByteArray clean;
    for (const QByteArray& part : parts)
        clean += '/' + part;
    return clean.isEmpty() ? QByteArray("/") : clean;
}

QByteArray ErasePathCheck::canonicalEntry(const QByteArray& absolute) {
    if (absolute == "/")
        return absolute;
    const qsizetype slash = absolute.lastIndexOf('/');
    if (slash < 0)
        return {};
    const QByteArray folder = realFolder(slash == 0 ? QByteArray("/") : absolute.left(slash));
    if (folder.isEmpty())
        return {};
    const QByteArray name = absolute.mid(slash + 1);
    if (name == "..")
        return realFolder(absolute);
    return folder == "/" ? '/' + name : folder + '/' + name;
}

bool ErasePathCheck::isSystemFolder(const QByteArray& canonical) {
    for (const char* tree : kSystemTrees)
        if (within(canonical, tree))
            return true;
    // /var holds the package database and the system's state: only its scratch folder is free.
    if (within(canonical, "/var") && !(canonical.startsWith("/var/tmp/")))
        return true;
    for (const char* folder : kSystemFolders)
        if (canonical == folder)
            return true;
    return false;
}

ErasePathCheck::Result ErasePathCheck::check(const QString& path) {
    return check(QFile::encodeName(path));
}

ErasePathCheck::Result ErasePathCheck::check(const QByteArray& raw) {
    Result r;
    r.absolute = raw;
    r.shown = FileObjBuilder::displayPath(raw);
    const auto refuse = [&r](Reason reason) {
        r.verdict = Verdict::Refuse;
        r.reason = reason;
        return r;
    };
    if (raw.isEmpty())
        return refuse(Reason::Empty);
    QByteArray trimmed = raw;
    while (trimmed.size() > 1 && trimmed.endsWith('/'))
        trimmed.chop(1);
    const QByteArray last = trimmed.mid(trimmed.lastIndexOf('/') + 1);
    if (last == "." || last == "..")
        return refuse(Reason::DotOrDotDot);

    r.absolute = absolutePath(raw);
    r.shown = FileObjBuilder::displayPath(r.absolute);
    if (r.absolute == "/")
        return refuse(Reason::RootFolder);
    struct stat st {};
    if (::lstat(r.absolute.constData(), &st) != 0)
        return refuse(Reason::Missing);
    const QByteArray canonical = canonicalEntry(r.absolute);
    if (canonical.isEmpty())
        return refuse(Reason::Missing);
    if (canonical == "/")
        return refuse(Reason::RootFolder);

    // The program's own files: the path is one of them, holds one, or lies in the bundle.
    for (const QByteArray& file : m_protected.programFiles) {
        if (within(file, canonical)) {
            r.detail = FileObjBuilder::displayPath(file);
            return refuse(Reason::ProgramFiles);
        }
    }
    if (!m_protected.bundle.isEmpty() &&
        (within(canonical, m_protected.bundle) || within(m_protected.bundle, canonical))) {
        r.detail = FileObjBuilder::displayPath(m_protected.bundle);
        return refuse(Reason::ProgramFiles);
    }

    auto type = m_typeByDevice.constFind(quint64(st.st_dev));
    if (type == m_typeByDevice.constEnd())
        type = m_typeByDevice.insert(quint64(st.st_dev),
                                     FileSystemInfo::forPath(QFile::decodeName(r.absolute)).type);
    r.fileSystem = *type;
    r.copyOnWrite = FileSystemInfo::isCopyOnWriteType(r.fileSystem);
    if (FileSystemInfo::isNtfsOrLifsType(r.fileSystem)) {
        r.detail = r.fileSystem;
        return refuse(Reason::Ntfs);
    }

    r.verdict = Verdict::NeedsConsent;
    if (m_protected.homes.contains(canonical)) {
        r.reason = Reason::HomeFolder;
        r.detail = m_protected.owners.value(canonical);
        return r;
    }
    QStringList heldOwners;
    bool holdsHome = false;
    for (const QByteArray& home : m_protected.homes)
        if (home != canonical && within(home, canonical)) {
            holdsHome = true;
            const QString owner = m_protected.owners.value(home);
            if (!owner.isEmpty() && !heldOwners.contains(owner))
                heldOwners << owner;
        }
    if (holdsHome) {
        r.reason = Reason::HoldsHomes;
        r.detail = heldOwners.join(QStringLiteral(", "));
        return r;
    }
    if (isSystemFolder(canonical)) {
        r.reason = Reason::SystemFolder;
        return r;
    }
    if (S_ISDIR(st.st_mode) && isMountRoot(r.absolute)) {
        r.reason = Reason::MountPoint;
        return r;
    }
    r.verdict = Verdict::Accept;
    r.reason = Reason::None;
    return r;
}

QString ErasePathCheck::message(const Result& r, Language language) {
    // The log keeps English; a person reads the user's language.
    const auto text = [language](const char* source) {
        return language == Language::English ? QString::fromUtf8(source) : tr(source);
    };
    switch (r.reason) {
    case Reason::None:
        return {};
    case Reason::Empty:
        return text(QT_TRANSLATE_NOOP("ErasePathCheck",
                                      "refusing to erase an empty path: it names nothing (an unset "
                                      "variable?); nothing was erased"));
    case Reason::DotOrDotDot:
        return text(
                   QT_TRANSLATE_NOOP("ErasePathCheck",
                                     "refusing to erase '%1': a path ending in '.' or '..' names a "
                                     "folder above what was meant; name the folder itself"))
            .arg(r.shown);
    case Reason::RootFolder:
        return text(QT_TRANSLATE_NOOP("ErasePathCheck",
                                      "refusing to erase the root folder \"/\" (%1)"))
            .arg(r.shown);
    case Reason::ProgramFiles:
        return text(QT_TRANSLATE_NOOP(
                        "ErasePathCheck",
                        "refusing to erase %1: it holds or is part of this program's own "
                        "files (%2)"))
            .arg(r.shown, r.detail);
    case Reason::Missing:
        return text(QT_TRANSLATE_NOOP("ErasePathCheck", "%1: no such file or folder")).arg(r.shown);
    case Reason::Ntfs:
        return text(
                   QT_TRANSLATE_NOOP("ErasePathCheck",
                                     "%1 is on an %2 volume; files are not erased on NTFS volumes"))
            .arg(r.shown, r.detail);
    case Reason::HomeFolder:
        if (!r.detail.isEmpty())
            return text(QT_TRANSLATE_NOOP(
                            "ErasePathCheck",
                            "%1 is the home folder of %2: erasing it removes everything of "
                            "that user"))
                .arg(r.shown, r.detail);
        return text(QT_TRANSLATE_NOOP(
                        "ErasePathCheck",
                        "%1 is a home folder: erasing it removes everything of that user"))
            .arg(r.shown);
    case Reason::HoldsHomes:
        if (!r.detail.isEmpty())
            return text(QT_TRANSLATE_NOOP(
                            "ErasePathCheck",
                            "%1 holds the home folders of %2: erasing it removes everything "
                            "of those users"))
                .arg(r.shown, r.detail);
        return text(QT_TRANSLATE_NOOP(
                        "ErasePathCheck",
                        "%1 holds home folders: erasing it removes everything of their "
                        "users"))
            .arg(r.shown);
    case Reason::SystemFolder:
        return text(QT_TRANSLATE_NOOP("ErasePathCheck",
                                      "%1 is a folder the system needs: erasing it can leave this "
                                      "computer unable to start"))
            .arg(r.shown);
    case Reason::MountPoint:
        return text(QT_TRANSLATE_NOOP(
                        "ErasePathCheck",
                        "%1 is the mount point of a volume: erasing it erases everything "
                        "on that volume"))
            .arg(r.shown);
    }
    return {};
}
