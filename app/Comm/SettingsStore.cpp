#include "app/Comm/SettingsStore.h"
#include "platform/FdWrite.h"

#include "platform/BundleLocator.h"
#include "platform/Logger.h"

#include <QFile>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <memory>
#include <plist/plist.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

struct PlistDeleter {
    void operator()(void* node) const { plist_free(static_cast<plist_t>(node)); }
};
using PlistPtr = std::unique_ptr<void, PlistDeleter>;

// Loads the store's dictionary; null when the file is missing, unreadable or not a dictionary.
PlistPtr loadDictionary(const QString& path) {
    if (path.isEmpty())
        return nullptr;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return nullptr;
    const QByteArray data = file.readAll();
    if (data.isEmpty())
        return nullptr;
    plist_t root = nullptr;
    plist_from_memory(data.constData(), static_cast<uint32_t>(data.size()), &root);
    PlistPtr owned(root);
    if (!root || plist_get_node_type(root) != PLIST_DICT)
        return nullptr;
    return owned;
}

QString errnoText() {
    return QString::fromLocal8Bit(std::strerror(errno));
}

// Replaces PATH with BYTES so that PATH is either the old file or the new one, whole, whatever
// fails (a full volume, a read-only one): written to a new file in the same folder, checked
// complete on the device, then renamed over PATH. The new file keeps PATH's mode and owner
// (root replacing it must not take it away from the user whose loader writes it too).
bool replaceFile(const QString& path, const QByteArray& bytes, QString* why) {
    const QByteArray target = QFile::encodeName(path);
    struct stat old {};
    if (::stat(target.constData(), &old) != 0) {
        *why = QStringLiteral("stat: ") + errnoText();
        return false;
    }
    const qsizetype slash = target.lastIndexOf('/');
    const QByteArray folder = slash > 0 ? target.left(slash) : QByteArray("/");
    QByteArray temp = folder + "/." + target.mid(slash + 1) + ".XXXXXX";
    const int fd = ::mkostemp(temp.data(), O_CLOEXEC);
    if (fd < 0) {
        *why = QStringLiteral("create a new file: ") + errnoText();
        return false;
    }
    auto fail = [&](const QString& step) {
        *why = step + QStringLiteral(": ") + errnoText();
        ::close(fd);
        ::unlink(temp.constData());
        return false;
    };
    if (!FdWrite::all(fd, bytes))
        return fail(QStringLiteral("write"));
    if (::fsync(fd) != 0)
        return fail(QStringLiteral("flush"));
    struct stat written {};
    if (::fstat(fd, &written) != 0 || written.st_size != bytes.size()) {
        errno = EIO;
        return fail(QStringLiteral("check the new file"));
    }
    if (::fchmod(fd, old.st_mode & 07777) != 0)
        return fail(QStringLiteral("set the mode"));
    if (::geteuid() == 0 && ::fchown(fd, old.st_uid, old.st_gid) != 0)
        return fail(QStringLiteral("set the owner"));
    if (::close(fd) != 0) {
        *why = QStringLiteral("close: ") + errnoText();
        ::unlink(temp.constData());
        return false;
    }
    if (::rename(temp.constData(), target.constData()) != 0) {
        *why = QStringLiteral("rename: ") + errnoText();
        ::unlink(temp.constData());
        return false;
    }
    // The rename itself reaches the device with its folder.
    const int dir = ::open(folder.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dir >= 0) {
        ::fsync(dir);
        ::close(dir);
    }
    return true;
}

} // namespace

SettingsStore::SettingsStore(QString path) : m_path(std::move(path)) {}

SettingsStore SettingsStore::mainStore() {
    return SettingsStore(
        BundleLocator::mainResource(QStringLiteral("NexwipeBase"), QStringLiteral("plist")));
}

QString SettingsStore::value(const QString& key) const {
    PlistPtr dict = loadDictionary(m_path);
    if (!dict)
        return {};
    plist_t node = plist_dict_get_item(dict.get(), key.toUtf8().constData());
    if (!node || plist_get_node_type(node) != PLIST_STRING)
        return {};
    char* text = nullptr;
    plist_get_string_val(node, &text);
    const QString result = QString::fromUtf8(text);
    free(text);
    return result;
}

bool SettingsStore::contains(const QString& key) const {
    PlistPtr dict = loadDictionary(m_path);
    return dict && plist_dict_get_item(dict.get(), key.toUtf8().constData()) != nullptr;
}

bool SettingsStore::setValue(const QString& key, const QString& value) const {
    PlistPtr dict = loadDictionary(m_path);
    if (!dict)
        return false;
    plist_dict_set_item(dict.get(), key.toUtf8().constData(),
                        plist_new_string(value.toUtf8().constData()));
    char* xml = nullptr;
    uint32_t length = 0;
    plist_to_xml(dict.get(), &xml, &length);
    if (!xml)
        return false;
    const QByteArray bytes(xml, static_cast<qsizetype>(length));
    plist_to_xml_free(xml);

    QString why;
    if (!replaceFile(m_path, bytes, &why)) {
        Logger::log(QStringLiteral("settings store %1: %2 not written: %3; the file is unchanged")
                        .arg(m_path, key, why));
        return false;
    }
    return true;
}
