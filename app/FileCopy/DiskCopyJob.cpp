#include "app/FileCopy/DiskCopyJob.h"
#include "platform/FdWrite.h"

#include "app/FileCopy/CopyPartialMark.h"
#include "app/FileCopy/CopyRunClaim.h"
#include "app/duplicat/Duplicate/crc.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QSet>
#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <memory>
#include <sys/stat.h>
#include <sys/statvfs.h>
#include <unistd.h>
#include <utility>
#include <vector>

namespace {

// Small enough to stay in the processor's cache between the read and the write: with 4 MiB
// chunks the kernel's copy into the page cache ran at memory speed and took 80% of the time.
constexpr std::size_t kChunk = 256u << 10;
constexpr quint64 kBatchBytes = 256ull << 20;
constexpr std::size_t kBatchFiles = 4096;
// Read-backs asked of the device at once: small files come back in parallel, not one by one.
constexpr std::size_t kReadAhead = 128;

QByteArray native(const QString& path) {
    return QFile::encodeName(path);
}

QString errorText(int error) {
    return QString::fromLocal8Bit(std::strerror(error));
}

std::vector<std::string> entriesOf(const QByteArray& folder) {
    std::vector<std::string> names;
    if (DIR* dir = ::opendir(folder.constData())) {
        while (const dirent* entry = ::readdir(dir))
            if (std::strcmp(entry->d_name, ".") != 0 && std::strcmp(entry->d_name, "..") != 0)
                names.emplace_back(entry->d_name);
        ::closedir(dir);
    }
    std::sort(names.begin(), names.end());
    return names;
}

// One run of the copy: the walk, the batch of written files waiting to be checked and named,
// the counters for the progress.
struct CopyRun {
    struct Pending {
        QString source, temp, final;
        struct stat st {};
        std::uint64_t digest = 0;
        bool replace = false;
        int readFd = -1; // open for the read-back
    };
    struct Folder {
        QString path;
        struct stat st {}; // the source's
        dev_t device = 0;  // the one made, so that only it is ever removed again
        ino_t inode = 0;
        bool removed = false;
    };

    CopyRun(const DiskCopyJob::Options& options, const DiskCopyJob::AskExisting& ask,
            const DiskCopyJob::ProgressSink& sink, const std::atomic_bool& cancel,
            DiskCopyJob::Report& report)
        : options(options), ask(ask), sink(sink), cancel(cancel), report(report) {}

    const DiskCopyJob::Options& options;
    const DiskCopyJob::AskExisting& ask;
    const DiskCopyJob::ProgressSink& sink;
    const std::atomic_bool& cancel;
    DiskCopyJob::Report& report;
    DiskCopyJob::Progress progress;
    QElapsedTimer clock, shown;
    // Page-aligned, as the page cache it is copied into.
    std::unique_ptr<char, decltype(&std::free)> buffer{
        static_cast<char*>(std::aligned_alloc(4096, kChunk)), &std::free};
    std::vector<Pending> pending;
    quint64 pendingBytes = 0;
    std::vector<Folder> folders; // made by this run; times and modes set once contents are in
    int destinationFd = -1;
    bool root = ::geteuid() == 0;
    std::string runId;
    std::uint64_t partialCount = 0;
    QSet<QString> partials; // this run's partial files that exist now
    // Of the items (files, links, others) that did not end up copied.
    qsizetype failedItems = 0;
    quint64 failedBytes = 0, skippedBytes = 0;

    void tell(const QString& file, bool force = false) {
        progress.currentFile = file;
        if (!sink || (!force && shown.isValid() && shown.elapsed() < 100))
            return;
        shown.restart();
        const double seconds = clock.elapsed() / 1000.0;
        progress.bytesPerSecond = seconds > 0.2 ? progress.doneBytes / seconds : 0;
        progress.secondsLeft =
            progress.bytesPerSecond > 0
                ? qint64((progress.totalBytes - std::min(progress.totalBytes, progress.doneBytes)) /
                         progress.bytesPerSecond)
                : -1;
        sink(progress);
    }

    // ST is the source's status when the source is a file, link or other item, else null.
    void fail(const QString& source, const QString& reason, const struct stat* st = nullptr) {
        report.failed.append({source, reason});
        if (st && !S_ISDIR(st->st_mode)) {
            ++failedItems;
            failedBytes += S_ISREG(st->st_mode) ? quint64(st->st_size) : 0;
        }
    }

    // What to do about FINAL that exists; false to leave it.
    bool settle(const QString& final, const struct stat& source, QString& target, bool& replace) {
        replace = false;
        target = final;
        struct stat st {};
        bool taken = ::lstat(native(final).constData(), &st) == 0;
        for (const Pending& p : pending)
            taken = taken || p.final == final;
        if (!taken)
            return true;
        DiskCopyJob::Existing choice = options.existing;
        if (choice == DiskCopyJob::Existing::Ask)
            choice = ask ? ask(final) : DiskCopyJob::Existing::Skip;
        if (choice == DiskCopyJob::Existing::Replace && S_ISDIR(st.st_mode))
            choice = DiskCopyJob::Existing::KeepBoth; // a folder is never replaced by a file
        switch (choice) {
        case DiskCopyJob::Existing::Replace:
            replace = true;
            return true;
        case DiskCopyJob::Existing::KeepBoth:
            target = DiskCopyJob::freeNameLike(final, pendingNames());
            return true;
        default:
            report.skipped << final;
            skippedBytes += S_ISREG(source.st_mode) ? quint64(source.st_size) : 0;
            return false;
        }
    }

    QString partialIn(const QString& folder) {
        return folder + QLatin1Char('/') +
               QFile::decodeName(CopyPartialMark::partialName(runId, ++partialCount).c_str());
    }

    // Creates a partial file in FOLDER, marked as this run's: its descriptor, or -1 with errno.
    int createPartial(const QString& folder, QString& path) {
        std::string made;
        const int fd =
            CopyPartialMark::create(native(folder).toStdString(), runId, partialCount, made);
        if (fd >= 0) {
            path = QFile::decodeName(QByteArray::fromStdString(made));
            partials.insert(path);
        }
        return fd;
    }

    // Removes this run's partial file PATH; one that cannot be removed is named in the report.
    void discard(const QString& path) {
        if (::unlink(native(path).constData()) != 0 && errno != ENOENT)
            report.partialsLeft << path;
        partials.remove(path);
    }

    void named(const QString& partial) { partials.remove(partial); }

    void applyMetadata(int fd, const struct stat& st) {
        if (root)
            (void)::fchown(fd, st.st_uid, st.st_gid);
        (void)::fchmod(fd, st.st_mode & 07777); // FAT and exFAT keep what they can
        const struct timespec times[2] = {st.st_atim, st.st_mtim};
        (void)::futimens(fd, times);
    }

    void copyFile(const QString& source, const struct stat& st, const QString& final) {
        QString target;
        bool replace = false;
        if (!settle(final, st, target, replace))
            return;
        const int in = ::open(native(source).constData(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW);
        if (in < 0) {
            fail(source, errorText(errno), &st);
            return;
        }
        ::posix_fadvise(in, 0, 0, POSIX_FADV_SEQUENTIAL);
        QString temp;
        const int out = createPartial(QFileInfo(target).path(), temp);
        if (out < 0) {
            fail(source, errorText(errno), &st);
            ::close(in);
            return;
        }
        std::uint64_t digest = crc::kStart;
        QString problem;
        for (;;) {
            if (cancel) {
                problem = QStringLiteral("cancelled");
                break;
            }
            const ssize_t n = ::read(in, buffer.get(), kChunk);
            if (n < 0 && errno == EINTR)
                continue;
            if (n < 0) {
                problem = errorText(errno);
                break;
            }
            if (n == 0)
                break;
            if (options.verify)
                digest = crc::update(digest, buffer.get(), std::size_t(n));
            if (!FdWrite::all(out, buffer.get(), std::size_t(n))) {
                problem = errorText(errno);
                break;
            }
            progress.doneBytes += quint64(n);
            tell(source);
        }
        ::close(in);
        if (problem.isEmpty())
            applyMetadata(out, st);
        if (::close(out) != 0 && problem.isEmpty())
            problem = errorText(errno);
        if (!problem.isEmpty()) {
            discard(temp);
            if (!cancel)
                fail(source, problem, &st);
            return;
        }
        pending.push_back({source, temp, target, st, digest, replace});
        pendingBytes += quint64(st.st_size);
        if (pendingBytes >= kBatchBytes || pending.size() >= kBatchFiles)
            flush();
    }

    // A link is made whole by one call, so it is made under its final name at once: a link
    // cannot carry the partial files' mark. Only to replace a file is it made beside it under a
    // partial name and renamed over it straight away.
    void copyLink(const QString& source, const struct stat& st, const QString& final) {
        QString target;
        bool replace = false;
        if (!settle(final, st, target, replace))
            return;
        QByteArray to(4096, '\0');
        const ssize_t n = ::readlink(native(source).constData(), to.data(), std::size_t(to.size()));
        if (n < 0 || n >= to.size()) {
            fail(source,
                 n < 0 ? errorText(errno)
                       : QCoreApplication::translate("DiskCopyJob", "the link is too long"),
                 &st);
            return;
        }
        to.truncate(n);
        QString made = target;
        if (replace) {
            made = partialIn(QFileInfo(target).path());
            if (::symlink(to.constData(), native(made).constData()) != 0) {
                fail(source, errorText(errno), &st);
                return;
            }
            if (::rename(native(made).constData(), native(target).constData()) != 0) {
                fail(source, errorText(errno), &st);
                if (::unlink(native(made).constData()) != 0)
                    report.partialsLeft << made;
                return;
            }
            made = target;
        } else {
            // The name may have been taken since it was looked at: then the next free one.
            while (::symlink(to.constData(), native(made).constData()) != 0) {
                if (errno != EEXIST) {
                    fail(source, errorText(errno), &st);
                    return;
                }
                made = DiskCopyJob::freeNameLike(made, pendingNames());
            }
        }
        const struct timespec times[2] = {st.st_atim, st.st_mtim};
        ::utimensat(AT_FDCWD, native(made).constData(), times, AT_SYMLINK_NOFOLLOW);
        report.copied << made;
    }

    QStringList pendingNames() const {
        QStringList names;
        for (const Pending& p : pending)
            names << p.final;
        return names;
    }

    // Checks the batch against the device and gives each file its final name. Once cancelled,
    // the rest of the batch is removed instead.
    void flush() {
        if (options.verify && destinationFd >= 0 && !cancel)
            ::syncfs(destinationFd);
        for (std::size_t i = 0; i < pending.size(); ++i) {
            if (options.verify && !cancel && i % kReadAhead == 0)
                startReadBacks(i, std::min(pending.size(), i + kReadAhead));
            Pending& p = pending[i];
            if (cancel) {
                if (p.readFd >= 0)
                    ::close(std::exchange(p.readFd, -1));
                discard(p.temp);
                continue;
            }
            if (options.verify) {
                const QString differs = readBack(p);
                if (!differs.isEmpty()) {
                    discard(p.temp);
                    fail(p.source, differs, &p.st);
                    continue;
                }
            }
            if (giveFinalName(p)) {
                named(p.temp);
                report.copied << p.final;
                report.copiedBytes += quint64(p.st.st_size);
            } else {
                fail(p.source, errorText(errno), &p.st);
                discard(p.temp);
            }
        }
        pending.clear();
        pendingBytes = 0;
    }

    // Renames P's partial file to its final name, or over it when replacing. False with errno.
    bool giveFinalName(Pending& p) {
        const QByteArray temp = native(p.temp);
        if (p.replace)
            return ::rename(temp.constData(), native(p.final).constData()) == 0;
        // The name may have been taken meanwhile: then the next free one.
        while (::renameat2(AT_FDCWD, temp.constData(), AT_FDCWD, native(p.final).constData(),
                           RENAME_NOREPLACE) != 0) {
            if (errno != EEXIST) {
                // A file system without RENAME_NOREPLACE: checked, then renamed.
                const int error = errno;
                struct stat st {};
                if (error != EINVAL) {
                    errno = error;
                    return false;
                }
                if (::lstat(native(p.final).constData(), &st) != 0)
                    return ::rename(temp.constData(), native(p.final).constData()) == 0;
            }
            p.final = DiskCopyJob::freeNameLike(p.final);
        }
        return true;
    }

    // Opens the written files FROM to TO for reading back and drops their pages: written out
    // by syncfs, they are clean and can go, so the reads come from the device, not from
    // memory. Their reads are started at once.
    void startReadBacks(std::size_t from, std::size_t to) {
        for (std::size_t i = from; i < to; ++i) {
            Pending& p = pending[i];
            if (!S_ISREG(p.st.st_mode))
                continue;
            p.readFd = ::open(native(p.temp).constData(), O_RDONLY | O_CLOEXEC);
            if (p.readFd < 0)
                continue;
            ::posix_fadvise(p.readFd, 0, 0, POSIX_FADV_DONTNEED);
            ::posix_fadvise(p.readFd, 0, std::min<off_t>(p.st.st_size, off_t(kChunk)),
                            POSIX_FADV_WILLNEED);
        }
    }

    // Empty when the copy read back from the device has the source's digest; else why not.
    QString readBack(Pending& p) {
        const int fd = std::exchange(p.readFd, -1);
        if (fd < 0)
            return QCoreApplication::translate("DiskCopyJob", "the copy could not be read back: %1")
                .arg(errorText(errno));
        std::uint64_t digest = crc::kStart;
        quint64 size = 0;
        QString problem;
        for (;;) {
            const ssize_t n = ::read(fd, buffer.get(), kChunk);
            if (n < 0 && errno == EINTR)
                continue;
            if (n < 0) {
                problem = QCoreApplication::translate("DiskCopyJob",
                                                      "the copy could not be read back: %1")
                              .arg(errorText(errno));
                break;
            }
            if (n == 0)
                break;
            digest = crc::update(digest, buffer.get(), std::size_t(n));
            size += quint64(n);
            progress.doneBytes += quint64(n);
            tell(p.source);
        }
        ::posix_fadvise(fd, 0, 0, POSIX_FADV_DONTNEED);
        ::close(fd);
        if (problem.isEmpty() && (digest != p.digest || size != quint64(p.st.st_size)))
            problem = QCoreApplication::translate("DiskCopyJob",
                                                  "the copy read back differs from the original");
        return problem;
    }

    void copyTree(const QString& source, const QString& final) {
        if (cancel)
            return;
        struct stat st {};
        if (::lstat(native(source).constData(), &st) != 0) {
            fail(source, errorText(errno));
            return;
        }
        if (S_ISREG(st.st_mode)) {
            copyFile(source, st, final);
        } else if (S_ISLNK(st.st_mode)) {
            copyLink(source, st, final);
        } else if (S_ISDIR(st.st_mode)) {
            struct stat there {};
            if (::lstat(native(final).constData(), &there) == 0) {
                if (!S_ISDIR(there.st_mode)) {
                    fail(source, QCoreApplication::translate("DiskCopyJob",
                                                             "%1 is in the way and is not a folder")
                                     .arg(final));
                    return;
                }
            } else if (::mkdir(native(final).constData(), 0700) != 0) {
                fail(source, errorText(errno));
                return;
            } else {
                struct stat made {};
                ::lstat(native(final).constData(), &made);
                folders.push_back({final, st, made.st_dev, made.st_ino});
            }
            for (const std::string& name : entriesOf(native(source)))
                copyTree(source + QLatin1Char('/') + QFile::decodeName(name.c_str()),
                         final + QLatin1Char('/') + QFile::decodeName(name.c_str()));
        } else {
            fail(source,
                 QCoreApplication::translate(
                     "DiskCopyJob", "not a file, folder or link (a device, fifo or socket)"),
                 &st);
        }
    }

    // After a cancel: the folders this run made that are still empty go again, deepest first so
    // that a folder emptied of its empty subfolders goes too. A folder is removed only while its
    // path still leads to the one this run made; rmdir leaves any that holds something.
    void removeEmptyFolders() {
        for (auto folder = folders.rbegin(); folder != folders.rend(); ++folder) {
            const QByteArray path = native(folder->path);
            struct stat now {};
            if (::lstat(path.constData(), &now) != 0 || !S_ISDIR(now.st_mode) ||
                now.st_dev != folder->device || now.st_ino != folder->inode)
                continue;
            if (::rmdir(path.constData()) == 0) {
                folder->removed = true;
                report.foldersRemoved << folder->path;
            }
        }
    }

    void finishFolders() {
        // Deepest first, so that setting a folder's time is not undone by its contents.
        for (auto folder = folders.rbegin(); folder != folders.rend(); ++folder) {
            if (folder->removed)
                continue;
            const int fd = ::open(native(folder->path).constData(),
                                  O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
            if (fd >= 0) {
                applyMetadata(fd, folder->st);
                ::close(fd);
            }
        }
    }
};

} // namespace

DiskCopyJob::DiskCopyJob(QStringList sources, QString destination, Options options)
    : m_sources(std::move(sources)), m_destination(std::move(destination)), m_options(options) {}

quint64 DiskCopyJob::bytesUnder(const QStringList& paths, qsizetype* files) {
    quint64 bytes = 0;
    qsizetype count = 0;
    std::function<void(const QByteArray&)> add = [&](const QByteArray& path) {
        struct stat st {};
        if (::lstat(path.constData(), &st) != 0)
            return;
        if (S_ISDIR(st.st_mode)) {
            for (const std::string& name : entriesOf(path))
                add(path + '/' + QByteArray::fromStdString(name));
            return;
        }
        if (S_ISREG(st.st_mode))
            bytes += quint64(st.st_size);
        ++count;
    };
    for (const QString& path : paths)
        add(native(path));
    if (files)
        *files = count;
    return bytes;
}

QString DiskCopyJob::freeNameLike(const QString& path, const QStringList& taken) {
    const QFileInfo info(path);
    const QString folder = info.path();
    const QString base = info.completeBaseName(), suffix = info.suffix();
    const bool hidden = info.fileName().startsWith(QLatin1Char('.')) && base.isEmpty();
    for (int n = 2;; ++n) {
        const QString name = hidden || suffix.isEmpty() || base.isEmpty()
                                 ? QStringLiteral("%1 (%2)").arg(info.fileName()).arg(n)
                                 : QStringLiteral("%1 (%2).%3").arg(base).arg(n).arg(suffix);
        const QString candidate = folder + QLatin1Char('/') + name;
        struct stat st {};
        if (::lstat(native(candidate).constData(), &st) != 0 && !taken.contains(candidate))
            return candidate;
    }
}

DiskCopyJob::Report DiskCopyJob::run(const std::atomic_bool& cancel) {
    Report report;
    const QString destination = QDir::cleanPath(m_destination);
    struct stat dst {};
    if (::stat(native(destination).constData(), &dst) != 0 || !S_ISDIR(dst.st_mode)) {
        report.refusal =
            QCoreApplication::translate("DiskCopyJob", "%1 is not a folder").arg(destination);
        return report;
    }
    QStringList sources;
    for (const QString& source : m_sources) {
        const QString path = QDir::cleanPath(QFileInfo(source).absoluteFilePath());
        struct stat st {};
        if (::lstat(native(path).constData(), &st) != 0) {
            report.refusal = QStringLiteral("%1: %2").arg(path, errorText(errno));
            return report;
        }
        const QString real = QFileInfo(destination).canonicalFilePath();
        const QString realSource = S_ISLNK(st.st_mode) ? path : QFileInfo(path).canonicalFilePath();
        if (real == realSource || real.startsWith(realSource + QLatin1Char('/'))) {
            report.refusal =
                QCoreApplication::translate(
                    "DiskCopyJob", "the destination %1 lies inside %2, which would copy itself")
                    .arg(destination, path);
            return report;
        }
        sources << path;
    }
    // Known to other copies as running from here on, so that they leave its partial files be.
    const std::string runId = CopyPartialMark::newRunId();
    const CopyRunClaim claim(runId);
    const int destinationFd =
        ::open(native(destination).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (destinationFd >= 0) {
        // What stopped copies left where this one writes goes first, so that the space check
        // counts the room it took. The destination's own entries, and the folders the sources
        // go into; `korvane copy --clean` sweeps a whole tree.
        CopyLeftoverSweep::sweep(destination, CopyLeftoverSweep::Depth::FolderOnly,
                                 report.leftovers);
        for (const QString& source : sources)
            if (const QString name = QFileInfo(source).fileName(); !name.isEmpty())
                CopyLeftoverSweep::sweepTree(
                    destinationFd, name, destination + QLatin1Char('/') + name, report.leftovers);
        // Written out, so that the free space counted below includes what was removed.
        if (!report.leftovers.removed.isEmpty())
            ::syncfs(destinationFd);
    }

    // Enough room first: a copy that runs out halfway helps nobody.
    qsizetype items = 0;
    const quint64 needed = bytesUnder(sources, &items);
    struct statvfs vfs {};
    if (::statvfs(native(destination).constData(), &vfs) == 0) {
        const quint64 room = quint64(vfs.f_bavail) * vfs.f_frsize;
        if (needed > room) {
            report.refusal = QCoreApplication::translate(
                                 "DiskCopyJob", "the destination has %1 bytes free; the selection "
                                                "needs %2 bytes")
                                 .arg(room)
                                 .arg(needed);
            if (destinationFd >= 0)
                ::close(destinationFd);
            return report;
        }
    }

    CopyRun run(m_options, m_ask, m_progress, cancel, report);
    run.progress.totalBytes = needed * (m_options.verify ? 2 : 1);
    run.clock.start();
    run.destinationFd = destinationFd;
    run.runId = runId;
    for (const QString& source : sources) {
        if (cancel)
            break;
        run.copyTree(source, destination + QLatin1Char('/') + QFileInfo(source).fileName());
    }
    run.flush();
    // Every partial file was named or removed by now; should one have slipped through, it goes.
    for (const QString& partial : QSet<QString>(run.partials))
        run.discard(partial);
    report.cancelled = cancel;
    if (report.cancelled)
        run.removeEmptyFolders();
    run.finishFolders();
    if (destinationFd >= 0)
        ::close(destinationFd);
    report.verified = m_options.verify;
    const qsizetype settled = report.copied.size() + report.skipped.size() + run.failedItems;
    report.notCopied = std::max<qsizetype>(0, items - settled);
    const quint64 settledBytes = report.copiedBytes + run.skippedBytes + run.failedBytes;
    report.notCopiedBytes = needed > settledBytes ? needed - settledBytes : 0;
    run.tell(QString(), true);
    return report;
}
