#include "app/Main/FileEraser/FileObjBuilder.h"

#include "platform/Logger.h"
#include "platform/SolidStateCheck.h"

#include <QFile>
#include <QFileInfo>
#include <cerrno>
#include <cstring>
#include <dirent.h>
#include <sys/stat.h>

namespace {

bool isBundlePath(const QString& path) {
    return path.endsWith(QLatin1String(".app"));
}

// The names in FOLDER in the order the listing returns them, without "." and "..".
QStringList listFolder(const QString& folder) {
    QStringList names;
    DIR* dir = ::opendir(QFile::encodeName(folder).constData());
    if (!dir) {
        Logger::log(QStringLiteral("list folder %1 failed: %2")
                        .arg(folder, QString::fromLocal8Bit(std::strerror(errno))));
        return names;
    }
    while (const dirent* entry = ::readdir(dir)) {
        if (std::strcmp(entry->d_name, ".") == 0 || std::strcmp(entry->d_name, "..") == 0)
            continue;
        names.append(QFile::decodeName(entry->d_name));
    }
    ::closedir(dir);
    return names;
}

QString joinPath(const QString& folder, const QString& name) {
    return folder.endsWith(QLatin1Char('/')) ? folder + name : folder + QLatin1Char('/') + name;
}

} // namespace

FileObjBuilder::FileObjBuilder(SolidStateTest test) : m_check(std::move(test)) {}

FileObjBuilder::SolidStateTest FileObjBuilder::systemSolidStateTest() {
    return [](const QString& path) { return SolidStateCheck().isSolidState(path); };
}

FileObjPtr FileObjBuilder::addFileToArr(const QString& path) {
    struct stat st {};
    if (path.isEmpty() || ::lstat(QFile::encodeName(path).constData(), &st) != 0)
        return nullptr;
    const bool isDir = S_ISDIR(st.st_mode);
    return makeItem(path, isDir, isDir ? 0 : qint64(st.st_size), S_ISLNK(st.st_mode), st.st_dev);
}

FileObjPtr FileObjBuilder::buildFileObj(const QString& path, bool isDir) {
    struct stat st {};
    const bool known = ::lstat(QFile::encodeName(path).constData(), &st) == 0;
    return makeItem(path, isDir, known ? qint64(st.st_size) : 0, known && S_ISLNK(st.st_mode),
                    known ? st.st_dev : 0);
}

FileObjPtr FileObjBuilder::makeItem(const QString& path, bool isDir, qint64 size, bool isLink,
                                    quint64 device) {
    auto item = std::make_shared<FileObj>();
    const QFileInfo info(path);
    item->name = info.fileName();
    item->url = path;
    item->type = isDir ? QStringLiteral("Folder") : info.suffix();
    item->size = size;
    item->isDir = isDir;
    item->isSelect = true;
    item->isSymbolicLink = isLink;
    item->isSSD = solidState(path, device);
    return item;
}

bool FileObjBuilder::solidState(const QString& path, quint64 device) {
    if (!m_check)
        return false;
    const auto known = m_solidStateByDevice.constFind(device);
    if (known != m_solidStateByDevice.constEnd())
        return known.value();
    const bool answer = m_check(path);
    m_solidStateByDevice.insert(device, answer);
    return answer;
}

QList<FileObjPtr> FileObjBuilder::buildWorkList(const QList<FileObjPtr>& chosen) {
    QList<FileObjPtr> work;
    for (const FileObjPtr& item : chosen) {
        if (!item || !item->isSelect)
            continue;
        // Expanded only when it really is a folder now, and not a link to one.
        struct stat st {};
        const bool realFolder =
            ::lstat(QFile::encodeName(item->url).constData(), &st) == 0 && S_ISDIR(st.st_mode);
        if (item->isDir && realFolder && !isBundlePath(item->url))
            appendContents(item->url, work);
        work.append(item);
    }
    return work;
}

void FileObjBuilder::appendContents(const QString& folder, QList<FileObjPtr>& out) {
    struct stat top {};
    if (::lstat(QFile::encodeName(folder).constData(), &top) != 0 || !S_ISDIR(top.st_mode))
        return;
    // One frame per open folder: its path, its entries and the next entry to look at.
    struct Frame {
        QString path;
        QStringList names;
        qsizetype next = 0;
    };
    QList<Frame> stack;
    stack.append({folder, listFolder(folder), 0});
    while (!stack.isEmpty()) {
        Frame& frame = stack.last();
        if (frame.next >= frame.names.size()) {
            const QString done = frame.path;
            stack.removeLast();
            if (!stack.isEmpty()) // the chosen folder itself is appended by the caller
                out.append(buildFileObj(done, true));
            continue;
        }
        const QString path = joinPath(frame.path, frame.names.at(frame.next++));
        struct stat st {};
        if (::lstat(QFile::encodeName(path).constData(), &st) != 0)
            continue; // vanished since the listing
        if (S_ISDIR(st.st_mode) && st.st_dev == top.st_dev) {
            stack.append({path, listFolder(path), 0});
            continue;
        }
        // Files, links, special files, and folders where another file system is mounted.
        out.append(makeItem(path, S_ISDIR(st.st_mode), qint64(st.st_size), S_ISLNK(st.st_mode),
                            st.st_dev));
    }
}
