// The care log at three years of 30 entries a day: opening it (read and parsed into the
// Notebook's table) beside the file read and decoded into lines, and one entry added through
// the Notebook beside one line appended with QFile.
#include "core/book/notebook.h"
#include "core/text/cp932.h"
#include "core/text/delimited.h"
#include "floor_report.h"
#include "generators.h"
#include "test_notebook.h"

#include <QCoreApplication>
#include <QFile>
#include <benchmark/benchmark.h>

namespace {

void openCareLog(benchmark::State &state)
{
    TestNotebook t;
    t.writeBytes(care::fileName(), generators::careLogFile(1095, 30));
    for (auto _ : state) {
        t.notebook().readTable(NotebookTable::CareLog);
        benchmark::DoNotOptimize(t.notebook().careLog.size());
    }
    state.counters["aim"] = 4;
}
BENCHMARK(openCareLog)->Unit(benchmark::kMillisecond);

void openCareLogFloor(benchmark::State &state)
{
    TestNotebook t;
    t.writeBytes(care::fileName(), generators::careLogFile(1095, 30));
    for (auto _ : state) {
        QFile f(t.path(care::fileName()));
        if (!f.open(QIODevice::ReadOnly))
            state.SkipWithError("not read");
        benchmark::DoNotOptimize(splitLines(cp932::decode(f.readAll())).size());
    }
}
BENCHMARK(openCareLogFloor)->Unit(benchmark::kMillisecond);

// Each entry a minute after the one before, after the last of the three years.
care::Entry nextEntry(int n)
{
    care::Entry e;
    e.date = QDate(2027, 1, 1).addDays(n / 1440);
    e.time = QTime(0, 0).addSecs((n % 1440) * 60);
    e.kind = care::Kind::Formula;
    e.amount = QStringLiteral("120");
    return e;
}

void addCareEntry(benchmark::State &state)
{
    TestNotebook t;
    t.writeBytes(care::fileName(), generators::careLogFile(1095, 30));
    Notebook &nb = t.notebook();
    nb.readTable(NotebookTable::CareLog);
    int n = 0;
    for (auto _ : state)
        if (!nb.addCareEntry(nextEntry(n++)).ok)
            state.SkipWithError("not added");
    state.counters["aim"] = 2;
}
BENCHMARK(addCareEntry)->Unit(benchmark::kMicrosecond);

void addCareEntryFloor(benchmark::State &state)
{
    TestNotebook t;
    t.writeBytes(care::fileName(), generators::careLogFile(1095, 30));
    int n = 0;
    for (auto _ : state) {
        care::Entry e = nextEntry(n++);
        e.id = care::newId();
        QFile f(t.path(care::fileName()));
        if (!f.open(QIODevice::WriteOnly | QIODevice::Append))
            state.SkipWithError("not written");
        f.write(cp932::encode(care::lineOf(e)).bytes);
    }
}
BENCHMARK(addCareEntryFloor)->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    return runBenchmarks(argc, argv);
}
