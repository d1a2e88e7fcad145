// 日記.txt at capacity (1095 days): reading it, and saving a changed day (rewrite and read
// back), each beside its floor: moving and decoding the same bytes without the diary's work.
#include "core/book/notebook.h"
#include "core/notebook/diary_files.h"
#include "core/recipes/recipe_files.h"
#include "core/text/cp932.h"
#include "core/files/notebook_folder.h"
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

// The same file made into the same day table the simplest way: decoded, split into lines, each
// record's date, two numbers and text lines taken at the asterisk lines, and the days' ages
// counted from the first for the growth series.
void BM_DiaryReadFloor(benchmark::State &state)
{
    CapacityNotebook c;
    NotebookFolder folder(c.dir.path());
    for (auto _ : state) {
        const QString text = cp932::decode(folder.readAll(QStringLiteral("日記.txt")));
        const QList<QStringView> lines = QStringView(text).split(QStringLiteral("\r\n"));
        QList<DiaryDay> days;
        for (qsizetype i = 0; i + 5 < lines.size(); ++i) {
            if (!lines[i].startsWith(u'*'))
                continue;
            DiaryDay d;
            d.date = lines[i + 1].mid(4).toString();
            d.height = qint16(lines[i + 2].mid(4).toInt());
            d.weight = qint16(lines[i + 3].mid(4).toInt());
            qsizetype k = i + 5;
            for (; k < lines.size() && lines[k] != u"'"; ++k) {
                if (k > i + 5)
                    d.text += QStringLiteral("\r\n");
                d.text += lines[k];
            }
            days.append(d);
            i = k;
        }
        auto date = [](QStringView t) { return QDate(t.left(4).toInt(), t.mid(5, 2).toInt(), t.mid(8, 2).toInt()); };
        const QDate first = date(days.value(0).date);
        qint64 age = 0;
        for (const DiaryDay &d : days)
            age += first.daysTo(date(d.date));
        benchmark::DoNotOptimize(age);
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
BENCHMARK(BM_DiarySaveChangedDayFloor)->Unit(benchmark::kMillisecond)->UseRealTime()->MeasureProcessCPUTime();
BENCHMARK(BM_DiarySaveChangedDay)->Unit(benchmark::kMillisecond)->UseRealTime()->MeasureProcessCPUTime();
int main(int argc, char **argv) { return runBenchmarks(argc, argv); }
