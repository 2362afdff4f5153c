#include "cli/DuplicatesDeleteFormatter.h"

#include "app/Comm/SizeText.h"
#include "cli/CliOutput.h"

#include <cstdio>

using Outcome = DestructiveOperation::Outcome;

namespace {

QByteArray shown(const QString& text) {
    return CliOutput::local(CliOutput::printable(text));
}

} // namespace

DuplicatesDeleteFormatter::DuplicatesDeleteFormatter(DuplicateDeleteJob::Method method,
                                                     QHash<QString, QString> keptAgainst)
    : CliReportFormatter(QStringLiteral("duplicates")), m_method(method),
      m_keptAgainst(std::move(keptAgainst)) {}

const char* DuplicatesDeleteFormatter::how() const {
    switch (m_method) {
    case DuplicateDeleteJob::Method::Trash:
        return "moved to the Trash";
    case DuplicateDeleteJob::Method::Remove:
        return "removed";
    case DuplicateDeleteJob::Method::Erase:
        break;
    }
    return "erased securely";
}

void DuplicatesDeleteFormatter::listItems(const Plan& plan) const {
    std::fprintf(stderr, "These copies will be %s:\n", how());
    for (const QString& copy : plan.items)
        std::fprintf(stderr, "  %s  (keeping %s)\n", shown(copy).constData(),
                     shown(m_keptAgainst.value(copy)).constData());
}

QString DuplicatesDeleteFormatter::question(const Plan&) const {
    // What goes to the Trash can be taken back from there.
    return m_method == DuplicateDeleteJob::Method::Trash
               ? QStringLiteral("Delete them?")
               : QStringLiteral("Delete them? This cannot be undone.");
}

int DuplicatesDeleteFormatter::nothingToDo(const Plan&) const {
    std::printf("Nothing to delete.\n");
    return 0;
}

void DuplicatesDeleteFormatter::printReport(const Report& report) const {
    for (const DestructiveOperation::Item& item : report.items) {
        // A copy the run never came to stays without a line of its own: the counts name it.
        if (item.outcome == Outcome::Done)
            std::printf("Removed %s\n", shown(item.subject).constData());
        else if (item.outcome != Outcome::NotReached)
            std::printf("Kept %s: %s\n", shown(item.subject).constData(),
                        shown(item.detail).constData());
    }
    std::printf("%d removed (%s), %d not removed, %s freed%s\n", report.count(Outcome::Done), how(),
                report.count(Outcome::Failed) + report.count(Outcome::Refused),
                SizeText::withTerabytes(qint64(report.bytes(Outcome::Done))).toUtf8().constData(),
                m_method == DuplicateDeleteJob::Method::Trash ? " once the Trash is emptied" : "");
    std::fflush(stdout);
    if (!report.failure.isEmpty())
        CliOutput::error(verb(), report.failure);
}

QString DuplicatesDeleteFormatter::interruptedText(const Report& report) const {
    return QStringLiteral("%1 of %2 copies removed; the %3 listed as kept and the %4 not reached "
                          "stay where they are.")
        .arg(report.count(Outcome::Done))
        .arg(report.items.size())
        .arg(report.count(Outcome::Failed))
        .arg(report.count(Outcome::NotReached));
}
