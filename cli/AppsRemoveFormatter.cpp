#include "cli/AppsRemoveFormatter.h"

#include "cli/CliOutput.h"

#include <cstdio>

namespace {

QByteArray shown(const QString& text) {
    return CliOutput::local(CliOutput::printable(text));
}

} // namespace

AppsRemoveFormatter::AppsRemoveFormatter(const UninstallOperation& operation,
                                         QList<QList<AMAppItemPtr>> groups, QStringList labels,
                                         QList<AMAppItemPtr> keptDownloads)
    : CliReportFormatter(QStringLiteral("apps")), m_operation(operation),
      m_groups(std::move(groups)), m_labels(std::move(labels)),
      m_keptDownloads(std::move(keptDownloads)) {}

void AppsRemoveFormatter::list(const Plan& plan) const {
    for (qsizetype g = 0; g < m_groups.size(); ++g) {
        const QList<AMAppItemPtr>& group = m_groups.at(g);
        if (group.isEmpty())
            continue;
        const AMAppItemPtr& app = group.first();
        std::printf("%s\n", shown(m_labels.value(g)).constData());
        // The plan refuses an application by its name, with its whole group.
        const auto refused = std::find_if(
            plan.refusals.cbegin(), plan.refusals.cend(),
            [&app](const DestructiveOperation::Refused& r) { return r.subject == app->name; });
        if (refused != plan.refusals.cend()) {
            std::printf("  %s\n", shown(tr("refused: %1").arg(refused->detail)).constData());
            continue;
        }
        if (m_operation.packages().contains(app->path))
            std::printf(
                "  %s\n",
                shown(tr("packages removed: %1")
                          .arg(m_operation.packages().value(app->path).join(QStringLiteral(", "))))
                    .constData());
        for (const AMAppItemPtr& item : group)
            std::printf("  %s  %s\n", shown(item->path).constData(), shown(item->size).constData());
    }
    for (const AMAppItemPtr& item : m_keptDownloads)
        std::printf("  %s\n",
                    shown(tr("kept (in the download folder): %1").arg(item->path)).constData());
    std::fflush(stdout);
}

void AppsRemoveFormatter::describe(const Plan& plan) const {
    list(plan);
}

QString AppsRemoveFormatter::question(const Plan&) const {
    return tr("Remove these? This cannot be undone.");
}

void AppsRemoveFormatter::explainRefusals(const Plan& plan) const {
    list(plan);
}

int AppsRemoveFormatter::nothingToDo(const Plan& plan) const {
    list(plan);
    return CliReportFormatter::nothingToDo(plan);
}

void AppsRemoveFormatter::printReport(const Report& report) const {
    std::printf("%s\n", shown(m_operation.uninstallReport().message()).constData());
    std::fflush(stdout);
    if (!report.failure.isEmpty())
        CliOutput::error(verb(), report.failure);
}

QString AppsRemoveFormatter::interruptedText(const Report& report) const {
    //: %1 is how many were removed.
    return tr("%1 of %n item(s) removed (what was under way was finished); the others were not "
              "removed",
              nullptr, int(report.items.size()))
        .arg(report.count(DestructiveOperation::Outcome::Done));
}
