// 日記.txt at capacity (1095 days): reading it, and saving a changed day (rewrite and read
// back), each beside its floor: moving and decoding the same bytes without the diary's work.
#include "core/book/notebook.h"
#include "core/common/cp932.h"
#include "core/common/notebook_folder.h"
#include "floor_report.h"
#include "generators.h"

#include <QSaveFile>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

namespace {

struct CapacityNotebook {
    CapacityNotebook()
    {
        NotebookFolder(dir.path()).save(QStringLiteral("日記.txt"), generators::diaryFile(DiaryCapacity));
        NotebookFolder(dir.path())
            .save(QStringLiteral("グラフ.txt"), " 40 \r\n 100 \r\n 2000 \r\n 16000 \r\n");
    }
    QTemporaryDir dir;
    FixedClock clock{QDate(2026, 12, 6)};
};

void BM_DiaryRead(benchmark::State &state)
{
    CapacityNotebook c;
    Notebook nb(c.dir.path(), c.clock);
    for (auto _ : state) {
        nb.readDiary();
        benchmark::DoNotOptimize(nb.diary.count());
    }
}

void BM_DiaryReadFloor(benchmark::State &state)
{
    CapacityNotebook c;
    NotebookFolder folder(c.dir.path());
    for (auto _ : state) {
        QString text = cp932::decode(folder.readAll(QStringLiteral("日記.txt")));
        benchmark::DoNotOptimize(text.size());
    }
}

void BM_DiarySaveChangedDay(benchmark::State &state)
{
    CapacityNotebook c;
    Notebook nb(c.dir.path(), c.clock);
    nb.readDiary();
    int n = 0;
    for (auto _ : state) {
        nb.diary.day(500).text = QStringLiteral("書き換え %1").arg(++n);
        nb.writeDiary();
        nb.readDiary();
        benchmark::DoNotOptimize(nb.diary.count());
    }
}

void BM_DiarySaveChangedDayFloor(benchmark::State &state)
{
    CapacityNotebook c;
    NotebookFolder folder(c.dir.path());
    const QString text = cp932::decode(folder.readAll(QStringLiteral("日記.txt")));
    for (auto _ : state) {
        folder.save(QStringLiteral("日記.txt"), cp932::encode(text).bytes);
        QString back = cp932::decode(folder.readAll(QStringLiteral("日記.txt")));
        benchmark::DoNotOptimize(back.size());
    }
}

} // namespace

BENCHMARK(BM_DiaryReadFloor)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_DiaryRead)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_DiarySaveChangedDayFloor)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_DiarySaveChangedDay)->Unit(benchmark::kMillisecond);
int main(int argc, char **argv) { return runBenchmarks(argc, argv); }
