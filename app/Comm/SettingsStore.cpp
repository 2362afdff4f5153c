#include "app/Comm/SettingsStore.h"

#include "platform/BundleLocator.h"

#include <QFile>
#include <QSaveFile>
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

} // namespace

SettingsStore::SettingsStore(QString path) : m_path(std::move(path)) {}

SettingsStore SettingsStore::mainStore() {
    return SettingsStore(BundleLocator::mainResource(QStringLiteral("NexwipeBase"),
                                                     QStringLiteral("plist")));
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

    struct stat before {};
    const bool hadOwner = ::stat(QFile::encodeName(m_path).constData(), &before) == 0;

    QSaveFile file(m_path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit())
        return false;
    // Root replacing the file must not take it away from the user whose loader writes it too.
    if (hadOwner && ::geteuid() == 0 && (before.st_uid != 0 || before.st_gid != 0)) {
        if (::chown(QFile::encodeName(m_path).constData(), before.st_uid, before.st_gid) != 0) {
            // The file is still complete and readable; only its owner differs.
        }
    }
    return true;
}
