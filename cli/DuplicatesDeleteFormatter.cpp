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

QString DuplicatesDeleteFormatter::how() const {
    switch (m_method) {
    case DuplicateDeleteJob::Method::Trash:
        return tr("moved to the Trash");
    case DuplicateDeleteJob::Method::Remove:
        return tr("removed");
    case DuplicateDeleteJob::Method::Erase:
        break;
    }
    return tr("erased securely");
}

void DuplicatesDeleteFormatter::listItems(const Plan& plan) const {
    //: %1 says how: "moved to the Trash", "removed", "erased securely".
    std::fprintf(stderr, "%s\n",
                 CliOutput::local(tr("These copies will be %1:").arg(how())).constData());
    for (const QString& copy : plan.items)
        std::fprintf(stderr, "  %s  %s\n", shown(copy).constData(),
                     shown(tr("(keeping %1)").arg(m_keptAgainst.value(copy))).constData());
}

QString DuplicatesDeleteFormatter::question(const Plan&) const {
    // What goes to the Trash can be taken back from there.
    return m_method == DuplicateDeleteJob::Method::Trash
               ? tr("Delete them?")
               : tr("Delete them? This cannot be undone.");
}

int DuplicatesDeleteFormatter::nothingToDo(const Plan&) const {
    std::printf("%s\n", CliOutput::local(tr("Nothing to delete.")).constData());
    return 0;
}

void DuplicatesDeleteFormatter::printReport(const Report& report) const {
    for (const DestructiveOperation::Item& item : report.items) {
        // A copy the run never came to stays without a line of its own: the counts name it.
        if (item.outcome == Outcome::Done)
            std::printf("%s\n", shown(tr("Removed %1").arg(item.subject)).constData());
        else if (item.outcome != Outcome::NotReached)
            std::printf("%s\n",
                        shown(tr("Kept %1: %2").arg(item.subject, item.detail)).constData());
    }
    const QString freed = SizeText::shownWithTerabytes(qint64(report.bytes(Outcome::Done)));
    //: %1 says how, %2 counts those not removed, %3 is a size.
    std::printf("%s\n",
                CliOutput::local(
                    (m_method == DuplicateDeleteJob::Method::Trash
                         ? tr("%n removed (%1), %2 not removed, %3 freed once the Trash is emptied",
                              nullptr, report.count(Outcome::Done))
                         : tr("%n removed (%1), %2 not removed, %3 freed", nullptr,
                              report.count(Outcome::Done)))
                        .arg(how())
                        .arg(report.count(Outcome::Failed) + report.count(Outcome::Refused))
                        .arg(freed))
                    .constData());
    std::fflush(stdout);
    if (!report.failure.isEmpty())
        CliOutput::error(verb(), report.failure);
}

QString DuplicatesDeleteFormatter::interruptedText(const Report& report) const {
    //: %1 removed, %2 kept, %3 not reached.
    return tr("%1 of %n copies removed; the %2 listed as kept and the %3 not reached stay where "
              "they are.",
              nullptr, int(report.items.size()))
        .arg(report.count(Outcome::Done))
        .arg(report.count(Outcome::Failed))
        .arg(report.count(Outcome::NotReached));
}
