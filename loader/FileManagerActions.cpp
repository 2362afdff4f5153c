#include "loader/FileManagerActions.h"

#include "platform/SafeHomeFile.h"

#include <QFile>

const QList<FileManagerActions::Action>& FileManagerActions::actions() {
    // Dolphin lists service menus from the user's folder only when they are executable.
    static const QList<Action> list = {
        {QStringLiteral("nautilus-script"),
         QStringLiteral(".local/share/nautilus/scripts/Erase with Korvane Data Eraser"), 0755,
         Quoting::Shell},
        {QStringLiteral("dolphin-servicemenu.desktop"),
         QStringLiteral(".local/share/kio/servicemenus/korvane-data-eraser.desktop"), 0755,
         Quoting::DesktopExec},
        {QStringLiteral("nemo.nemo_action"),
         QStringLiteral(".local/share/nemo/actions/korvane-data-eraser.nemo_action"), 0644,
         Quoting::DesktopExec},
    };
    return list;
}

std::optional<QByteArray> FileManagerActions::quoted(const QString& path, Quoting quoting) {
    if (!path.startsWith(QLatin1Char('/')))
        return std::nullopt;
    for (QChar c : path)
        if (c.unicode() < 0x20 || c.unicode() == 0x7f)
            return std::nullopt;
    const QByteArray bytes = path.toUtf8();
    QByteArray out;
    if (quoting == Quoting::Shell) {
        // Single quotes; a quote inside ends the quoting, is escaped, and quoting resumes.
        out = "'" + QByteArray(bytes).replace("'", "'\\''") + "'";
        return out;
    }
    // Exec key of a desktop entry: a double-quoted argument with ", `, $ and \ escaped, then
    // the whole value escaped once more as a desktop string (\ doubled) and % doubled.
    QByteArray argument;
    for (char c : bytes) {
        if (c == '"' || c == '`' || c == '$' || c == '\\')
            argument += '\\';
        argument += c;
    }
    out = "\"" + argument.replace("\\", "\\\\").replace("%", "%%") + "\"";
    return out;
}

std::optional<QByteArray> FileManagerActions::fill(const QByteArray& text,
                                                   const QString& loaderPath, Quoting quoting) {
    const auto path = quoted(loaderPath, quoting);
    if (!path || !text.contains(kPlaceholder))
        return std::nullopt;
    return QByteArray(text).replace(kPlaceholder, *path);
}

FileManagerActions::Report FileManagerActions::install(const QString& templateFolder,
                                                       const UserAccount& user,
                                                       const QString& loaderPath) {
    Report report;
    for (const Action& action : actions()) {
        const QString target = user.home + QLatin1Char('/') + action.installPath;
        QFile source(templateFolder + QLatin1Char('/') + action.templateName);
        if (!source.open(QIODevice::ReadOnly)) {
            report.failed << QStringLiteral("%1: template %2 unreadable: %3")
                                 .arg(target, source.fileName(), source.errorString());
            continue;
        }
        const auto content = fill(source.readAll(), loaderPath, action.quoting);
        if (!content) {
            report.failed << QStringLiteral("%1: cannot write the loader path %2 into %3")
                                 .arg(target, loaderPath, action.templateName);
            continue;
        }
        QString error;
        switch (SafeHomeFile::createIfMissing(user.home, action.installPath, *content, action.mode,
                                              {user.uid, user.gid}, &error)) {
        case SafeHomeFile::Result::Created:
            report.created << target;
            break;
        case SafeHomeFile::Result::AlreadyPresent:
            report.present << target;
            break;
        case SafeHomeFile::Result::Refused:
        case SafeHomeFile::Result::Failed:
            report.failed << error;
            break;
        }
    }
    return report;
}
