#include "app/Main/WipeDisk/DiskUtil.h"

#include "app/Main/FileEraser/SrmTool.h"
#include "platform/BundleLocator.h"
#include "platform/ChildProcessTie.h"
#include "platform/Logger.h"

#include <QProcess>
#include <cstdlib>
#include <plist/plist.h>

namespace {

QVariant toVariant(plist_t node) {
    switch (plist_get_node_type(node)) {
    case PLIST_DICT: {
        QVariantMap map;
        plist_dict_iter iter = nullptr;
        plist_dict_new_iter(node, &iter);
        for (;;) {
            char* key = nullptr;
            plist_t value = nullptr;
            plist_dict_next_item(node, iter, &key, &value);
            if (key == nullptr)
                break;
            map.insert(QString::fromUtf8(key), toVariant(value));
            std::free(key);
        }
        std::free(iter);
        return map;
    }
    case PLIST_ARRAY: {
        QVariantList list;
        for (uint32_t i = 0; i < plist_array_get_size(node); ++i)
            list.append(toVariant(plist_array_get_item(node, i)));
        return list;
    }
    case PLIST_STRING: {
        char* text = nullptr;
        plist_get_string_val(node, &text);
        const QString value = QString::fromUtf8(text ? text : "");
        std::free(text);
        return value;
    }
    case PLIST_UINT: {
        uint64_t value = 0;
        plist_get_uint_val(node, &value);
        return qint64(value);
    }
    case PLIST_BOOLEAN: {
        uint8_t value = 0;
        plist_get_bool_val(node, &value);
        return value != 0;
    }
    case PLIST_REAL: {
        double value = 0;
        plist_get_real_val(node, &value);
        return value;
    }
    default:
        return {};
    }
}

} // namespace

QString DiskUtil::toolPath(QString* problem) {
    const QString path = BundleLocator::mainResource(QStringLiteral("diskutil"), QString());
    if (path.isEmpty()) {
        if (problem)
            *problem = QStringLiteral("the volume tool \"diskutil\" is missing from %1")
                           .arg(BundleLocator::mainResourcesPath());
        return {};
    }
    return SrmTool::isTrusted(path, problem) ? path : QString();
}

bool DiskUtil::run(const QStringList& args, QByteArray* out, QString* problem, int timeoutMs) {
    QString why;
    const QString tool = toolPath(&why);
    if (tool.isEmpty()) {
        if (problem)
            *problem = why;
        return false;
    }
    QProcess process;
    // A format or rename whose program is gone stops before its next step (see diskutil).
    ChildProcessTie::tieToThisProcess(process);
    process.start(tool, args);
    process.closeWriteChannel();
    if (!process.waitForFinished(timeoutMs)) {
        process.kill();
        process.waitForFinished(2000);
        if (problem)
            *problem = QStringLiteral("diskutil %1 did not end").arg(args.join(QLatin1Char(' ')));
        return false;
    }
    if (out)
        *out = process.readAllStandardOutput();
    const QString err = QString::fromLocal8Bit(process.readAllStandardError()).trimmed();
    if (process.exitStatus() != QProcess::NormalExit || process.exitCode() != 0) {
        if (problem)
            *problem =
                err.isEmpty() ? QStringLiteral("diskutil %1 failed").arg(args.value(0)) : err;
        return false;
    }
    return true;
}

QStringList DiskUtil::plistStrings(const QVariant& value) {
    QStringList out;
    for (const QVariant& v : value.toList())
        if (!v.toString().isEmpty())
            out << v.toString();
    return out;
}

QVariant DiskUtil::parsePlist(const QByteArray& xml) {
    if (xml.isEmpty())
        return {};
    plist_t root = nullptr;
    plist_from_xml(xml.constData(), uint32_t(xml.size()), &root);
    if (root == nullptr)
        return {};
    const QVariant value = toVariant(root);
    plist_free(root);
    return value;
}

QVariantMap DiskUtil::getDisjInfo(const QString& name) {
    QByteArray out;
    QString problem;
    if (!run({QStringLiteral("info"), QStringLiteral("-plist"), name}, &out, &problem)) {
        Logger::log(QStringLiteral("diskutil info %1: %2").arg(name, problem));
        return {};
    }
    return parsePlist(out).toMap();
}

QList<QVariantMap> DiskUtil::listVolumes() {
    QByteArray out;
    QString problem;
    if (!run({QStringLiteral("list"), QStringLiteral("-plist")}, &out, &problem)) {
        Logger::log(QStringLiteral("diskutil list: %1").arg(problem));
        return {};
    }
    QList<QVariantMap> volumes;
    for (const QVariant& entry : parsePlist(out).toList())
        volumes.append(entry.toMap());
    return volumes;
}
