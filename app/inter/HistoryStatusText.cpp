#include "app/inter/HistoryStatusText.h"

#include <QDir>

QString HistoryStatusText::reason(const HistoryStatus& status) {
    const QString path =
        status.path.isEmpty() ? tr("the history database") : QDir::toNativeSeparators(status.path);
    QString text;
    switch (status.code) {
    case HistoryStatus::Code::Ok:
        return {};
    case HistoryStatus::Code::Locked:
        text = tr("%1 is locked by another program").arg(path);
        break;
    case HistoryStatus::Code::Damaged:
        text = tr("%1 is damaged").arg(path);
        break;
    case HistoryStatus::Code::CannotOpen:
        text = status.path.isEmpty() ? tr("no history database was found")
                                     : tr("%1 cannot be opened").arg(path);
        break;
    case HistoryStatus::Code::Failed:
        text = tr("%1 could not be used").arg(path);
        break;
    }
    if (!status.detail.isEmpty())
        text += QStringLiteral(" (%1)").arg(status.detail);
    return text;
}
