// Backup and restore of a full notebook (1,095 days, 1,000 recipes, 6,500 photos) beside the
// floor of copying the same bytes file by file with the same syncs (the backup: none; the
// restore: one of the disk before the new folder takes its name). Wall time is what counts.
#include "core/backup/notebook_zip.h"
#include "floor_report.h"
#include "generators.h"
#include "test_notebook.h"

#include <QDir>
#include <QFile>
#include <QRandomGenerator>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <fcntl.h>
#include <unistd.h>

#include <cstdio>
#include <memory>

namespace {

constexpr int Photos = 6500;
constexpr int PhotoBytes = 8 * 1024;

TestNotebook &fullNotebook()
{
    static std::unique_ptr<TestNotebook> t;
    if (!t) {
        t = std::make_unique<TestNotebook>();
        t->writeBytes(QStringLiteral("日記.txt"), generators::diaryFile(1095));
        t->writeBytes(QStringLiteral("レシピ.txt"), generators::recipeFile(1000));
        QByteArray photo(PhotoBytes, Qt::Uninitialized);
        QRandomGenerator random(7);
        for (int i = 0; i < Photos; ++i) {
            random.fillRange(reinterpret_cast<quint32 *>(photo.data()), PhotoBytes / 4);
            t->writeBytes(QStringLiteral("Photo%1_%2.jpg").arg(i % 4 + 1).arg(i, 4, 10, QChar(u'0')), photo);
        }
    }
    return *t;
}

QTemporaryDir &outDir()
{
    static QTemporaryDir dir;
    return dir;
}

void Backup(benchmark::State &state)
{
    const QString dir = fullNotebook().dir();
    const QString zip = outDir().filePath(QStringLiteral("b.zip"));
    int files = 0;
    for (auto _ : state)
        files = notebook_zip::writeBackup(dir, zip, false).files;
    state.counters["files"] = files;
    state.counters["aim"] = 1.5;
}

// The same bytes copied the simplest way: every file read and written into one file.
void BackupFloor(benchmark::State &state)
{
    const QString dir = fullNotebook().dir();
    for (auto _ : state) {
        QFile out(outDir().filePath(QStringLiteral("floor.bin")));
        out.open(QIODevice::WriteOnly | QIODevice::Truncate);
        for (const QString &name : QDir(dir).entryList(QDir::Files)) {
            QFile in(dir + u'/' + name);
            in.open(QIODevice::ReadOnly);
            out.write(in.readAll());
        }
    }
}

void Restore(benchmark::State &state)
{
    const QString zip = outDir().filePath(QStringLiteral("r.zip"));
    notebook_zip::writeBackup(fullNotebook().dir(), zip, false);
    const QString target = outDir().filePath(QStringLiteral("restored"));
    for (auto _ : state) {
        state.PauseTiming();
        QDir(target).removeRecursively();
        state.ResumeTiming();
        benchmark::DoNotOptimize(notebook_zip::restoreInto(zip, target).files);
    }
    state.counters["aim"] = 1.5;
}

// The same bytes written back the simplest way: one file a file, into a new folder, the disk
// synced once, then the folder renamed into place.
void RestoreFloor(benchmark::State &state)
{
    const QString dir = fullNotebook().dir();
    QList<std::pair<QString, QByteArray>> files;
    for (const QString &name : QDir(dir).entryList(QDir::Files)) {
        QFile in(dir + u'/' + name);
        in.open(QIODevice::ReadOnly);
        files.append({name, in.readAll()});
    }
    const QString copy = outDir().filePath(QStringLiteral("copy"));
    const QString placed = outDir().filePath(QStringLiteral("placed"));
    for (auto _ : state) {
        state.PauseTiming();
        QDir(copy).removeRecursively();
        QDir(placed).removeRecursively();
        QDir().mkpath(copy);
        state.ResumeTiming();
        for (const auto &[name, bytes] : files) {
            QFile out(copy + u'/' + name);
            out.open(QIODevice::WriteOnly);
            out.write(bytes);
        }
        const int fd = ::open(QFile::encodeName(copy).constData(), O_RDONLY | O_DIRECTORY);
        ::syncfs(fd);
        ::close(fd);
        std::rename(QFile::encodeName(copy).constData(), QFile::encodeName(placed).constData());
    }
}

} // namespace

BENCHMARK(BackupFloor)->Unit(benchmark::kMillisecond)->Iterations(3)->UseRealTime()->MeasureProcessCPUTime();
BENCHMARK(Backup)->Unit(benchmark::kMillisecond)->Iterations(3)->UseRealTime()->MeasureProcessCPUTime();
BENCHMARK(RestoreFloor)->Unit(benchmark::kMillisecond)->Iterations(3)->UseRealTime()->MeasureProcessCPUTime();
BENCHMARK(Restore)->Unit(benchmark::kMillisecond)->Iterations(3)->UseRealTime()->MeasureProcessCPUTime();

int main(int argc, char **argv) { return runBenchmarks(argc, argv); }
