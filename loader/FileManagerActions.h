#pragma once

#include "platform/UserAccount.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <optional>
#include <sys/types.h>

// The "Erase with Korvane Data Eraser" actions of the file managers. Their templates sit in the
// loader's resource folder "Erase with Korvane Data Eraser.workflow", one file per file manager,
// with @KORVANE_LOADER@ where the loader's absolute path goes. Each is installed in the user's
// home only where nothing is at its place yet; an existing file is never replaced.
class FileManagerActions {
public:
    static inline const QString kResourceName = QStringLiteral("Erase with Korvane Data Eraser");
    static inline const QString kResourceType = QStringLiteral("workflow");
    static inline const QByteArray kPlaceholder = QByteArrayLiteral("@KORVANE_LOADER@");

    // How the loader path is written into the file.
    enum class Quoting { Shell, DesktopExec };

    struct Action {
        QString templateName; // file in the resource folder
        QString installPath;  // below the user's home
        mode_t mode;
        Quoting quoting;
    };
    static const QList<Action>& actions();

    struct Report {
        QStringList created;
        QStringList present;
        QStringList failed; // with the reason
    };
    static Report install(const QString& templateFolder, const UserAccount& user,
                          const QString& loaderPath);

    // The template with the loader path filled in; nothing when the path cannot be written
    // safely in that file's syntax (control characters, not absolute).
    static std::optional<QByteArray> fill(const QByteArray& text, const QString& loaderPath,
                                          Quoting quoting);
    static std::optional<QByteArray> quoted(const QString& path, Quoting quoting);
};
