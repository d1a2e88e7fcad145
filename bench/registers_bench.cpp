// The schedule, gift and anniversary lists at and beyond any size a notebook reaches: reading a
// register file, its order, filling the grid when a panel is shown, and the worst anniversary
// addition. Each figure is reported beside its floor (floor_ms), the most a parent should wait.
#include "common/qt_printer.h"
#include "generators.h"
#include "notebook/anniversary_store.h"
#include "registers/gift_panel.h"
#include "registers/register_file.h"
#include "registers/remaining_days.h"
#include "registers/schedule_panel.h"
#include "scripted_dialogs.h"
#include "shell/diary_screen.h"
#include "test_notebook.h"

#include <QApplication>
#include <benchmark/benchmark.h>

namespace {

void parseSchedule(benchmark::State &state)
{
    const QByteArray file = generators::registerFile(int(state.range(0)), 2);
    for (auto _ : state)
        benchmark::DoNotOptimize(parseRegister(file, 2));
    state.counters["floor_ms"] = 50;
}
BENCHMARK(parseSchedule)->Arg(1000)->Arg(32767)->Unit(benchmark::kMillisecond);

void orderSchedule(benchmark::State &state)
{
    const RegisterRead read = parseRegister(generators::registerFile(int(state.range(0)), 2), 2);
    const QDate today(2026, 12, 6);
    for (auto _ : state) {
        QList<std::optional<int>> days;
        days.reserve(read.records.size());
        for (const QStringList &r : read.records)
            days.append(remainingDays(r[0], today));
        benchmark::DoNotOptimize(orderByRemaining(days));
    }
    state.counters["floor_ms"] = 50;
}
BENCHMARK(orderSchedule)->Arg(1000)->Arg(32767)->Unit(benchmark::kMillisecond);

// The whole list sorted by the exchange sort: an entry that goes first into a full list.
void anniversaryAddFirst(benchmark::State &state)
{
    const QStringList full = parseAnniversaries(generators::anniversaryFile(KinenCapacity - 1)).entries;
    for (auto _ : state) {
        QStringList entries = full;
        addAnniversary(entries, QStringLiteral("1990/01/01　はじめに"));
        benchmark::DoNotOptimize(anniversaryFileText(entries));
    }
    state.counters["floor_ms"] = 50;
}
BENCHMARK(anniversaryAddFirst)->Unit(benchmark::kMillisecond);

// Showing a panel: the register read from its file into the grid, coloured and sorted.
void showPanel(benchmark::State &state)
{
    const bool schedule = state.range(1) == 0;
    TestNotebook notebook;
    notebook.writeBytes(QStringLiteral("予定.txt"), generators::registerFile(int(state.range(0)), 2));
    notebook.writeBytes(QStringLiteral("頂きもの.txt"), generators::registerFile(int(state.range(0)), 3));
    notebook.writeBytes(QStringLiteral("贈りもの.txt"), generators::registerFile(int(state.range(0)), 2));
    ScriptedDialogs dialogs;
    dialogs.setLenient(true);
    QtPrinter printer(notebook.dir());
    DiaryScreen screen(notebook.notebook(), dialogs, printer, QString());
    screen.load();
    notebook.notebook().tour.helpTourOn = 0;
    auto *schedulePanel = screen.findChild<SchedulePanel *>(QStringLiteral("fraYotei"));
    auto *giftPanel = screen.findChild<GiftPanel *>(QStringLiteral("fraItadaki"));
    for (auto _ : state) {
        if (schedule)
            schedulePanel->open();
        else
            giftPanel->open();
    }
    state.counters["floor_ms"] = state.range(0) <= 1000 ? 100 : 2000;
}
BENCHMARK(showPanel)
    ->ArgNames({"rows", "gifts"})
    ->Args({1000, 0})
    ->Args({1000, 1})
    ->Args({32767, 0})
    ->Args({32767, 1})
    ->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
