// The schedule, gift and anniversary lists at and beyond any size a notebook reaches: reading a
// register file, its order, showing a panel and the worst anniversary addition, each beside
// its floor: the same bytes decoded, the same keys sorted, the same lines joined.
#include "core/text/cp932.h"
#include "core/notebook/anniversary_store.h"
#include "core/registers/register_file.h"
#include "core/registers/remaining_days.h"
#include "floor_report.h"
#include "generators.h"
#include "scripted_dialogs.h"
#include "test_notebook.h"
#include "ui/registers/gift_panel.h"
#include "ui/registers/schedule_panel.h"
#include "ui/shell/diary_screen.h"
#include "ui/widgets/qt_printer.h"

#include <QApplication>
#include <benchmark/benchmark.h>

#include <algorithm>
#include <climits>

namespace {

void parseSchedule(benchmark::State &state)
{
    const QByteArray file = generators::registerFile(int(state.range(0)), 2);
    for (auto _ : state)
        benchmark::DoNotOptimize(readRegisterText(file, 2));
}
BENCHMARK(parseSchedule)->Arg(1000)->Arg(32767)->Unit(benchmark::kMillisecond);

void parseScheduleFloor(benchmark::State &state)
{
    const QByteArray file = generators::registerFile(int(state.range(0)), 2);
    for (auto _ : state)
        benchmark::DoNotOptimize(cp932::decode(file));
}
BENCHMARK(parseScheduleFloor)->Arg(1000)->Arg(32767)->Unit(benchmark::kMillisecond);

void orderSchedule(benchmark::State &state)
{
    const RegisterText read = readRegisterText(generators::registerFile(int(state.range(0)), 2), 2);
    const QDate today(2026, 12, 6);
    for (auto _ : state) {
        QList<std::optional<int>> days;
        days.reserve(read.count());
        for (int r = 0; r < read.count(); ++r)
            days.append(remainingDays(read.field(r, 0), today));
        benchmark::DoNotOptimize(orderByRemaining(days));
    }
}
BENCHMARK(orderSchedule)->Arg(1000)->Arg(32767)->Unit(benchmark::kMillisecond);

// The same days left counted the simplest way (the date's numbers, QDate::daysTo) and the rows
// sorted by them.
void orderScheduleFloor(benchmark::State &state)
{
    const RegisterRead read = parseRegister(generators::registerFile(int(state.range(0)), 2), 2);
    const QDate today(2026, 12, 6);
    for (auto _ : state) {
        std::vector<std::pair<qint64, int>> keys;
        keys.reserve(read.records.size());
        for (int r = 0; r < read.records.size(); ++r) {
            const QStringView t = read.records[r][0];
            const QDate d(t.left(4).toInt(), t.mid(5, 2).toInt(), t.mid(8, 2).toInt());
            keys.push_back({d.isValid() ? today.daysTo(d) : LLONG_MAX, r});
        }
        std::stable_sort(keys.begin(), keys.end(), [](auto a, auto b) { return a.first < b.first; });
        benchmark::DoNotOptimize(keys.data());
    }
}
BENCHMARK(orderScheduleFloor)->Arg(1000)->Arg(32767)->Unit(benchmark::kMillisecond);

// The whole list sorted by the exchange sort: an entry that goes first into a full list.
void anniversaryAddFirst(benchmark::State &state)
{
    const QStringList full = parseAnniversaries(generators::anniversaryFile(KinenCapacity - 1)).entries;
    for (auto _ : state) {
        QStringList entries = full;
        addAnniversary(entries, QStringLiteral("1990/01/01　はじめに"));
        benchmark::DoNotOptimize(anniversaryFileText(entries));
    }
}
BENCHMARK(anniversaryAddFirst)->Unit(benchmark::kMillisecond);

// The same insert done the simplest way: the entry put where it belongs in the sorted list
// (a binary search) and the list joined into a file's text, line by line as the file has it.
void anniversaryAddFirstFloor(benchmark::State &state)
{
    const QStringList full = parseAnniversaries(generators::anniversaryFile(KinenCapacity - 1)).entries;
    const QString entry = QStringLiteral("1990/01/01　はじめに");
    for (auto _ : state) {
        QStringList entries = full;
        entries.insert(std::upper_bound(entries.begin(), entries.end(), entry), entry);
        QString text;
        for (const QString &e : entries)
            text += e + QStringLiteral("\r\n");
        benchmark::DoNotOptimize(text);
    }
}
BENCHMARK(anniversaryAddFirstFloor)->Unit(benchmark::kMillisecond);

QByteArray registerBytes(int rows, int fields) { return generators::registerFile(rows, fields); }

// Showing a panel: the register read from its file into the grid, coloured and sorted.
void showPanel(benchmark::State &state)
{
    const bool schedule = state.range(1) == 0;
    TestNotebook notebook;
    notebook.writeBytes(QStringLiteral("予定.txt"), registerBytes(int(state.range(0)), 2));
    notebook.writeBytes(QStringLiteral("頂きもの.txt"), registerBytes(int(state.range(0)), 3));
    notebook.writeBytes(QStringLiteral("贈りもの.txt"), registerBytes(int(state.range(0)), 2));
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
    state.counters["aim"] = 10; // a grid: every row made and coloured, beside reading the file
}

// The same files read and decoded: the schedule's, or both gift registers'.
void showPanelFloor(benchmark::State &state)
{
    TestNotebook notebook;
    const QStringList files =
        state.range(1) == 0 ? QStringList{QStringLiteral("予定.txt")}
                            : QStringList{QStringLiteral("頂きもの.txt"), QStringLiteral("贈りもの.txt")};
    for (const QString &name : files)
        notebook.writeBytes(name, registerBytes(int(state.range(0)), name == u"頂きもの.txt" ? 3 : 2));
    for (auto _ : state)
        for (const QString &name : files)
            benchmark::DoNotOptimize(cp932::decode(notebook.notebook().folder().readAll(name)));
}

void panelSizes(benchmark::internal::Benchmark *b)
{
    b->ArgNames({"rows", "gifts"});
    for (int rows : {1000, 8000, 32767})
        for (int gifts : {0, 1})
            b->Args({rows, gifts});
    b->Unit(benchmark::kMillisecond);
}
BENCHMARK(showPanelFloor)->Apply(panelSizes);
BENCHMARK(showPanel)->Apply(panelSizes);

} // namespace

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    return runBenchmarks(argc, argv);
}
