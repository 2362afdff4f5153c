// Showing a large duplicate search in the result view: 16,000 groups of two or three copies
// (36,000 rows, about what 100,000 files with a fifth of copies give), then "Keep newest" on
// every group. The records are made in memory; no file is read. The goal is well under a second
// for each; there is no peer tool to compare with, the figures are absolute.
//
//   build/bin/duplicate_results_view [--benchmark_repetitions=N]
#include "app/duplicat/Duplicate/DuplicateGroup.h"
#include "app/duplicat/Duplicate/SharedStorage.h"
#include "app/duplicat/DuplicateResultView.h"

#include <QApplication>
#include <QTreeWidget>
#include <benchmark/benchmark.h>

namespace {

constexpr int kGroups = 16000;

QList<DuplicateGroup> makeGroups() {
    QList<DuplicateGroup> groups;
    for (int g = 0; g < kGroups; ++g) {
        DuplicateGroup group;
        group.fileSize = std::uint64_t(1000 + g);
        for (int c = 0; c < 2 + g % 2; ++c) {
            auto f = std::make_shared<fileAttrbItem>();
            f->filePathName = QStringLiteral("/home/user/corpus/d%1/copy%2/f%3.dat")
                                  .arg(g / 100, 4, 10, QLatin1Char('0'))
                                  .arg(c)
                                  .arg(g);
            f->nativePath = f->filePathName.toUtf8();
            f->fileName = f->filePathName.mid(f->filePathName.lastIndexOf('/') + 1);
            f->fileSize = group.fileSize;
            f->inode = ino_t(g * 4 + c + 1);
            f->device = 1;
            f->links = 1;
            f->mtimeSec = 1765000000 + g * 60 + c * 3600;
            group.files.append(f);
        }
        SharedStorage::annotate(group.files);
        groups.append(group);
    }
    return groups;
}

void BM_ShowResults(benchmark::State& state) {
    const QList<DuplicateGroup> groups = makeGroups();
    DuplicateResultView view;
    view.resize(900, 600);
    view.show();
    for (auto _ : state) {
        view.setResults(QStringLiteral("/home/user/corpus"), groups, {}, false);
        QCoreApplication::processEvents();
    }
    if (view.findChild<QTreeWidget*>()->topLevelItemCount() != kGroups)
        state.SkipWithError("not every group shown");
}

void BM_KeepNewest(benchmark::State& state) {
    const QList<DuplicateGroup> groups = makeGroups();
    DuplicateResultView view;
    view.resize(900, 600);
    view.show();
    view.setResults(QStringLiteral("/home/user/corpus"), groups, {}, false);
    for (auto _ : state) {
        view.keepNewest();
        QCoreApplication::processEvents();
    }
    if (view.planned().size() != kGroups + kGroups / 2)
        state.SkipWithError("not every older copy chosen");
}

BENCHMARK(BM_ShowResults)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_KeepNewest)->Unit(benchmark::kMillisecond)->Iterations(3);

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
