// Opening the history viewer on a long history: 10,000 entries of three items each (plus their
// header lines) are read from the database and put into the outline. The goal is well under a
// second. There is no peer tool to compare with; the figure is absolute.
//
//   build/bin/history_viewer_open [--benchmark_repetitions=N]
#include "app/SetEraserLevel/HistoryViewController.h"
#include "app/inter/DoDataBase.h"
#include "app/inter/HistoryLocation.h"
#include "app/inter/HistorySchema.h"
#include "platform/BundleLocator.h"

#include <QApplication>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTreeWidget>
#include <benchmark/benchmark.h>
#include <cstdio>
#include <sqlite3.h>

namespace {

constexpr int kEntries = 10000;
constexpr int kItemsPerEntry = 3;

// Seeds the history in one transaction with prepared statements: the benchmark measures
// reading, not ten thousand separate commits.
bool seed(const QString& path) {
    sqlite3* db = nullptr;
    if (sqlite3_open_v2(QFile::encodeName(path).constData(), &db, SQLITE_OPEN_READWRITE, nullptr) !=
        SQLITE_OK)
        return false;
    sqlite3_exec(db, "BEGIN", nullptr, nullptr, nullptr);
    sqlite3_stmt* time = nullptr;
    sqlite3_stmt* line = nullptr;
    sqlite3_prepare_v2(db, "INSERT INTO TimeBase (Time,Type) VALUES (?,?)", -1, &time, nullptr);
    sqlite3_prepare_v2(
        db, "INSERT INTO BaseTable (Itmes,ErasureAlgorithm,Result,Time) VALUES (?,?,?,?)", -1,
        &line, nullptr);
    const QDateTime start(QDate(2023, 1, 1), QTime(0, 0, 0));
    auto bind = [](sqlite3_stmt* statement, int index, const QByteArray& text) {
        sqlite3_bind_text(statement, index, text.constData(), int(text.size()), SQLITE_TRANSIENT);
    };
    auto insertLine = [&](const QByteArray& items, const QByteArray& standard,
                          const QByteArray& result, const QByteArray& key) {
        bind(line, 1, items);
        bind(line, 2, standard);
        bind(line, 3, result);
        bind(line, 4, key);
        sqlite3_step(line);
        sqlite3_reset(line);
    };
    for (int i = 0; i < kEntries; ++i) {
        const QByteArray key = DoDataBase::keyForTime(start.addSecs(qint64(i) * 97)).toUtf8();
        bind(time, 1, key);
        bind(time, 2, i % 4 ? "WipeFile" : "WipeVolume");
        sqlite3_step(time);
        sqlite3_reset(time);
        insertLine("Items", "Erasure Standard", "Result", key);
        for (int j = 0; j < kItemsPerEntry; ++j)
            insertLine("/home/user/Documents/project-" + QByteArray::number(i) + "/file-" +
                           QByteArray::number(j) + ".txt",
                       "DoD 5220.22-M ECE", j == 2 ? "Failed" : "Erased", key);
    }
    sqlite3_finalize(time);
    sqlite3_finalize(line);
    const bool ok = sqlite3_exec(db, "COMMIT", nullptr, nullptr, nullptr) == SQLITE_OK;
    sqlite3_close(db);
    return ok;
}

void BM_ReadHistory(benchmark::State& state) {
    for (auto _ : state) {
        const HistoryData history = DoDataBase::returnDoDataBase()->getAllData();
        if (history.size() != kEntries)
            state.SkipWithError("history not read in full");
        benchmark::DoNotOptimize(history);
    }
}

void BM_OpenViewer(benchmark::State& state) {
    for (auto _ : state) {
        HistoryViewController view;
        view.resize(784, 560);
        view.getEraserHistory();
        if (view.outline()->topLevelItemCount() != kEntries)
            state.SkipWithError("outline not filled in full");
        benchmark::DoNotOptimize(view.outline());
    }
}

BENCHMARK(BM_ReadHistory)->Unit(benchmark::kMillisecond)->Iterations(5);
BENCHMARK(BM_OpenViewer)->Unit(benchmark::kMillisecond)->Iterations(5);

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QTemporaryDir dir;
    const QString bundle = dir.filePath("KorvaneLoader.app");
    const QString resources = bundle + "/Contents/MacOS/Korvane Data Eraser.app/Contents/Resources";
    QDir().mkpath(resources);
    BundleLocator::setOuterBundlePath(bundle);
    HistoryLocation::setWritableCopyPath(dir.filePath("copy/DataBase.db"));
    std::string error;
    const QString database = resources + "/DataBase.db";
    if (!HistorySchema::createDatabase(QFile::encodeName(database).toStdString(), 0600, error) ||
        !seed(database)) {
        std::fprintf(stderr, "cannot seed %s: %s\n", qPrintable(database), error.c_str());
        return 1;
    }
    std::printf("history: %d entries of %d items each\n", kEntries, kItemsPerEntry);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
