// The diary views at full capacity (1095 days), each beside its floor of one frame (16 ms).
#include "generators.h"
#include "loaded_screen.h"
#include "notebook/diary_store.h"
#include "notebook/growth.h"
#include "notebook/growth_bands.h"
#include "notebook/growth_chart_store.h"
#include "notebook/growth_panel.h"

#include <QApplication>
#include <QChartView>
#include <QLineEdit>
#include <QLineSeries>
#include <QListWidget>

#include <benchmark/benchmark.h>

namespace {

constexpr double FrameMs = 16.0;

void floorOf(benchmark::State &state) { state.counters["floor_ms"] = FrameMs; }

LoadedScreen &capacityScreen()
{
    static LoadedScreen *screen = [] {
        auto *s = new LoadedScreen(generators::diaryFile(DiaryCapacity));
        s->setHelpTour(false);
        return s;
    }();
    return *screen;
}

void GrowthBuild(benchmark::State &state)
{
    DiaryTable diary;
    diary.days() = parseDiary(generators::diaryFile(DiaryCapacity)).days;
    GrowthSeries series;
    for (auto _ : state) {
        buildGrowth(diary, series);
        benchmark::DoNotOptimize(series.count);
    }
    floorOf(state);
}

// Enter in txtKensaku until the result list is filled; the argument picks the word.
void Search(benchmark::State &state)
{
    static const QString words[] = {QStringLiteral("公園"), QStringLiteral("記録"),
                                    QStringLiteral("見つからない言葉")};
    const QString word = words[state.range(0)];
    LoadedScreen &s = capacityScreen();
    auto *box = s.find<QLineEdit>(QStringLiteral("txtKensaku"));
    auto *results = s.find<QListWidget>(QStringLiteral("lstDay"));
    box->setText(word);
    for (auto _ : state) {
        QTest::keyClick(box, Qt::Key_Return);
        benchmark::DoNotOptimize(results->count());
    }
    state.SetLabel(word.toStdString() + " → " + std::to_string(results->count()) + " days");
    floorOf(state);
}

// The growth chart with (1) or without (0) the reference bands of a girl.
void chooseBands(LoadedScreen &s, benchmark::State &state)
{
    const bool bands = state.range(0) != 0;
    s.files.writeText(growthChartFileName(),
                      bands ? QStringLiteral("女の子\r\n標準曲線表示\r\n") : QString());
    s.notebook().profile.birthDate = QStringLiteral("2024/01/01"); // the generated diary's first day
    state.SetLabel(bands ? "with reference bands" : "lines only");
}

// "グラフ": chart and lists refilled.
void GrowthPanelOpen(benchmark::State &state)
{
    LoadedScreen &s = capacityScreen();
    chooseBands(s, state);
    for (auto _ : state)
        s.click(QStringLiteral("cmdGraph"));
    floorOf(state);
}

// The chart with its 1093 days drawn once.
void GrowthChartPaint(benchmark::State &state)
{
    LoadedScreen &s = capacityScreen();
    chooseBands(s, state);
    s.click(QStringLiteral("cmdGraph"));
    auto *view = s.find<QChartView>(QStringLiteral("chrTaijyu"));
    state.counters["band_points"] =
        double(s.screen.findChild<GrowthPanel *>()->bands()->weight().p3->count());
    for (auto _ : state)
        benchmark::DoNotOptimize(view->grab());
    floorOf(state);
}

// "一覧": the grid refilled with every day.
void ListPanelOpen(benchmark::State &state)
{
    LoadedScreen &s = capacityScreen();
    for (auto _ : state)
        s.click(QStringLiteral("cmdList"));
    floorOf(state);
}

} // namespace

BENCHMARK(GrowthBuild)->Unit(benchmark::kMillisecond);
BENCHMARK(Search)->Arg(0)->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond);
BENCHMARK(GrowthPanelOpen)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);
BENCHMARK(GrowthChartPaint)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);
BENCHMARK(ListPanelOpen)->Unit(benchmark::kMillisecond);

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
