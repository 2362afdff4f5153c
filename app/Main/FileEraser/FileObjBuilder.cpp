#include "app/Main/FileEraser/FileObjBuilder.h"

#include "platform/FileSystemInfo.h"
#include "platform/Logger.h"
#include "platform/SolidStateCheck.h"
#include "platform/walk/SafeWalk.h"

#include <QFile>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// The name part of a path's bytes and its folder ("." for a bare name).
void splitPath(const QByteArray& path, QByteArray& folder, QByteArray& name) {
    const qsizetype slash = path.lastIndexOf('/');
    folder = slash < 0 ? QByteArray(".") : slash == 0 ? QByteArray("/") : path.left(slash);
    name = slash < 0 ? path : path.mid(slash + 1);
}

QString extensionOf(const QString& name) {
    const qsizetype dot = name.lastIndexOf(QLatin1Char('.'));
    return dot <= 0 ? QString() : name.mid(dot + 1);
}

} // namespace

// Collects the walk's entries below a chosen folder as erase items, in the walk's order.
class FileObjBuilder::ContentCollector : public safewalk::SafeWalk::Visitor {
public:
    ContentCollector(FileObjBuilder& builder, const FileObjPtr& top, QList<FileObjPtr>& out)
        : m_builder(builder), m_top(top), m_anchor(top->nativePath()), m_out(out) {}

    bool visit(const safewalk::SafeWalk::Entry& entry) override {
        if (entry.depth == 0)
            return true; // the chosen item itself is the caller's
        add(entry, entry.kind == safewalk::SafeWalk::Kind::MountPoint);
        return keepGoing();
    }
    bool leaveFolder(const safewalk::SafeWalk::Entry& entry, bool) override {
        if (entry.depth > 0)
            add(entry, true);
        return keepGoing();
    }
    void problem(const std::string& relative, const char* operation, int error) override {
        const QByteArray path =
            relative.empty() ? m_anchor : m_anchor + '/' + QByteArray::fromStdString(relative);
        const QString text = QStringLiteral("%1: %2: %3")
                                 .arg(displayPath(path), QString::fromUtf8(operation),
                                      QString::fromLocal8Bit(std::strerror(error)));
        Logger::log(QStringLiteral("expand folder: %1").arg(text));
        m_builder.m_planProblems.append({m_anchor, text});
    }

private:
    bool keepGoing() {
        if (!m_builder.m_watch || m_builder.m_watch(m_out.size()))
            return true;
        m_builder.m_expansionStopped = true;
        return false;
    }
    void add(const safewalk::SafeWalk::Entry& entry, bool isDir) {
        const QByteArray path = m_anchor + '/' + QByteArray::fromStdString(entry.relative);
        FileObjPtr item = m_builder.makeItem(path, isDir, qint64(entry.facts.st.st_size),
                                             entry.kind == safewalk::SafeWalk::Kind::Link);
        item->topLength = m_anchor.size();
        item->isSSD = m_top->isSSD;
        item->onCopyOnWrite = m_top->onCopyOnWrite;
        m_out.append(item);
    }

    FileObjBuilder& m_builder;
    FileObjPtr m_top;
    QByteArray m_anchor;
    QList<FileObjPtr>& m_out;
};

FileObjBuilder::FileObjBuilder(SolidStateTest solidState, CopyOnWriteTest copyOnWrite)
    : m_solidState(std::move(solidState)), m_copyOnWrite(std::move(copyOnWrite)) {}

FileObjBuilder::SolidStateTest FileObjBuilder::systemSolidStateTest() {
    return [](const QString& path) { return SolidStateCheck().isSolidState(path); };
}

FileObjBuilder::CopyOnWriteTest FileObjBuilder::systemCopyOnWriteTest() {
    return [](const QByteArray& path) {
        return FileSystemInfo::isCopyOnWriteType(
            FileSystemInfo::forPath(QFile::decodeName(path)).type);
    };
}

QString FileObjBuilder::displayPath(const QByteArray& nativePath) {
    return QString::fromUtf8(nativePath);
}

FileObjPtr FileObjBuilder::addFileToArr(const QString& path) {
    return addFileToArr(QFile::encodeName(path));
}

FileObjPtr FileObjBuilder::addFileToArr(const QByteArray& nativePath) {
    struct stat st {};
    if (nativePath.isEmpty() || ::lstat(nativePath.constData(), &st) != 0)
        return nullptr;
    const bool isDir = S_ISDIR(st.st_mode);
    FileObjPtr item =
        makeItem(nativePath, isDir, isDir ? 0 : qint64(st.st_size), S_ISLNK(st.st_mode));
    fillVolumeFlags(*item, st.st_dev);
    return item;
}

FileObjPtr FileObjBuilder::buildFileObj(const QString& path, bool isDir) {
    struct stat st {};
    const QByteArray native = QFile::encodeName(path);
    const bool known = ::lstat(native.constData(), &st) == 0;
    FileObjPtr item =
        makeItem(native, isDir, known ? qint64(st.st_size) : 0, known && S_ISLNK(st.st_mode));
    if (known)
        fillVolumeFlags(*item, st.st_dev);
    return item;
}

FileObjPtr FileObjBuilder::makeItem(const QByteArray& path, bool isDir, qint64 size, bool isLink) {
    auto item = std::make_shared<FileObj>();
    QByteArray folder, name;
    splitPath(path, folder, name);
    item->nativeUrl = path;
    item->url = displayPath(path);
    item->name = displayPath(name);
    item->type = isDir ? QStringLiteral("Folder") : extensionOf(item->name);
    item->size = size;
    item->isDir = isDir;
    item->isSelect = true;
    item->isSymbolicLink = isLink;
    return item;
}

void FileObjBuilder::fillVolumeFlags(FileObj& item, quint64 device) {
    auto known = m_flagsByDevice.constFind(device);
    if (known == m_flagsByDevice.constEnd()) {
        const bool solid = m_solidState && m_solidState(item.url);
        const bool cow = m_copyOnWrite && m_copyOnWrite(item.nativeUrl);
        known = m_flagsByDevice.insert(device, {solid, cow});
    }
    item.isSSD = known->first;
    item.onCopyOnWrite = known->second;
}

QList<FileObjPtr> FileObjBuilder::buildWorkList(const QList<FileObjPtr>& chosen) {
    QList<FileObjPtr> work;
    m_expansionStopped = false;
    for (const FileObjPtr& item : chosen) {
        if (m_expansionStopped)
            break;
        if (!item || !item->isSelect)
            continue;
        // Expanded only when it really is a folder now, and not a link to one. A folder named
        // like an application bundle is a folder like any other: its files are overwritten.
        struct stat st {};
        const bool realFolder =
            ::lstat(item->nativePath().constData(), &st) == 0 && S_ISDIR(st.st_mode);
        if (realFolder)
            appendContents(item, work);
        work.append(item);
    }
    return work;
}

void FileObjBuilder::appendContents(const FileObjPtr& top, QList<FileObjPtr>& out) {
    QByteArray folder, name;
    splitPath(top->nativePath(), folder, name);
    const int parentFd = ::open(folder.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (parentFd < 0) {
        m_planProblems.append(
            {top->nativePath(), QStringLiteral("%1: open containing folder: %2")
                                    .arg(top->url, QString::fromLocal8Bit(std::strerror(errno)))});
        return;
    }
    ContentCollector collector(*this, top, out);
    safewalk::SafeWalk::walk(parentFd, name.toStdString(), collector);
    ::close(parentFd);
}
