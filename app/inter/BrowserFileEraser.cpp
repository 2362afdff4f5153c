#include "app/inter/BrowserFileEraser.h"

#include "app/Main/FileEraser/EraseJob.h"
#include "app/Main/FileEraser/SrmTool.h"

#include <QEventLoop>

namespace {

class LoopQuitter : public EraseJobListener {
public:
    explicit LoopQuitter(QEventLoop* loop) : m_loop(loop) {}
    void eraseFinished(const EraseReport&) override { m_loop->quit(); }

private:
    QEventLoop* m_loop;
};

} // namespace

BrowserFileEraser::Result BrowserFileEraser::erase(const QStringList& paths) {
    Result result;
    if (paths.isEmpty())
        return result;
    QString problem;
    if (SrmTool::locate(&problem).isEmpty()) {
        for (const QString& path : paths)
            result.problems.insert(path, QStringLiteral("not erased: %1").arg(problem));
        return result;
    }
    EraseJob::Options options;
    // The cleaner's removals are not file erasures the user chose: they are not recorded.
    options.recordHistory = false;
    EraseJob job(options);
    result.level = job.level();
    QList<FileObjPtr> chosen;
    for (const QString& path : paths)
        if (FileObjPtr item = job.builder().addFileToArr(path))
            chosen << item;
    // A path gone since it was found has nothing left to erase.
    QEventLoop loop;
    LoopQuitter quitter(&loop);
    job.setListener(&quitter);
    job.start(chosen);
    if (job.isRunning())
        loop.exec();
    for (const EraseReport::Line& line : job.report().lines) {
        result.copyOnWrite = result.copyOnWrite || line.copyOnWrite;
        result.solidState = result.solidState || line.item->isSSD;
        if (line.outcome == EraseReport::Outcome::Erased)
            continue;
        QStringList why;
        for (const EraseReport::Problem& p : line.problems)
            why << EraseReport::reasonText(p);
        if (why.isEmpty())
            why << QStringLiteral("not erased");
        result.problems.insert(line.item->url, why.join(QStringLiteral("; ")));
    }
    return result;
}
