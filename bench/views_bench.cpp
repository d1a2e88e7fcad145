// The diary views at full capacity (1095 days), each beside its floor: the same days searched,
// drawn or laid in a grid by Qt alone, without the views' own work.
#include "core/text/cp932.h"
#include "core/files/notebook_folder.h"
#include "core/notebook/diary_store.h"
#include "core/notebook/growth.h"
#include "core/notebook/growth_chart_store.h"
#include "floor_report.h"
#include "generators.h"
#include "loaded_screen.h"
#include "resident_memory.h"
#include "ui/notebook/growth_bands.h"
#include "ui/notebook/growth_panel.h"

#include <QApplication>
#include <QAreaSeries>
#include <QCategoryAxis>
#include <QChart>
#include <QChartView>
#include <QScatterSeries>
#include <QLineEdit>
#include <QLineSeries>
#include <QListWidget>
#include <QFile>
#include <QPainter>
#include <QScrollBar>
#include <QPlainTextEdit>
#include <QTableWidget>

#include <benchmark/benchmark.h>

#include <map>
#include <memory>

namespace {

// The screens the figures share, kept until the runs end and closed before the application
// (which removes their temporary folders).
std::map<int, std::unique_ptr<LoadedScreen>> &sharedScreens()
{
    static std::map<int, std::unique_ptr<LoadedScreen>> screens;
    return screens;
}

// A loaded screen on a diary of this many days (and, when asked, 6,500 photos beside them).
LoadedScreen &sharedScreen(int days, int photos = 0)
{
    std::unique_ptr<LoadedScreen> &screen = sharedScreens()[days * 100000 + photos];
    if (!screen) {
        screen = std::make_unique<LoadedScreen>(generators::diaryFile(days));
        screen->setHelpTour(false);
        screen->dialogs.setLenient(true);
        for (int i = 0; i < photos; ++i)
            screen->files.writeBytes(
                QStringLiteral("Photo%1_%2.jpg").arg(i % 4 + 1).arg(i, 4, 10, QChar(u'0')), QByteArray());
        screen->notebook().folder().forgetListing();
    }
    return *screen;
}

LoadedScreen &capacityScreen() { return sharedScreen(DiaryCapacity); }

const QList<DiaryDay> &capacityDays()
{
    static const QList<DiaryDay> days = parseDiary(generators::diaryFile(DiaryCapacity)).days;
    return days;
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
}

// The same date work done the simplest way: every day's date read with QDate::fromString,
// its place counted from the first day, and the series' dates written with QDate::toString.
void GrowthBuildFloor(benchmark::State &state)
{
    const QList<DiaryDay> &days = capacityDays();
    const QString form = QStringLiteral("yyyy/MM/dd");
    for (auto _ : state) {
        const QDate first = QDate::fromString(days.first().date, form);
        const int count = int(first.daysTo(QDate::fromString(days.last().date, form))) + 1;
        QStringList dates;
        dates.reserve(count);
        for (int i = 0; i < count; ++i)
            dates.append(first.addDays(i).toString(form));
        QList<qint16> heights(count + 1, 0), weights(count + 1, 0);
        for (const DiaryDay &d : days) {
            const qint64 i = first.daysTo(QDate::fromString(d.date, form)) + 1;
            if (i >= 1 && i <= count) {
                heights[i] = d.height;
                weights[i] = d.weight;
            }
        }
        benchmark::DoNotOptimize(dates.size() + heights.size() + weights.size());
    }
}

const QString &searchWord(int i)
{
    static const QString words[] = {QStringLiteral("公園"), QStringLiteral("記録"),
                                    QStringLiteral("見つからない言葉")};
    return words[i];
}

// Enter in txtKensaku until the result list is filled; the argument picks the word.
void Search(benchmark::State &state)
{
    const QString &word = searchWord(int(state.range(0)));
    LoadedScreen &s = capacityScreen();
    auto *box = s.find<QLineEdit>(QStringLiteral("txtKensaku"));
    auto *results = s.find<QListWidget>(QStringLiteral("lstDay"));
    box->setText(word);
    for (auto _ : state) {
        QTest::keyClick(box, Qt::Key_Return);
        benchmark::DoNotOptimize(results->count());
    }
    state.SetLabel(word.toStdString() + " → " + std::to_string(results->count()) + " days");
}

// The same texts looked through for the word, and the dates of the days found listed.
void SearchFloor(benchmark::State &state)
{
    const QString &word = searchWord(int(state.range(0)));
    QListWidget list;
    for (auto _ : state) {
        list.clear();
        for (const DiaryDay &d : capacityDays())
            if (d.text.contains(word))
                list.addItem(d.date);
        benchmark::DoNotOptimize(list.count());
    }
}

// A bare chart of the same two lines, drawn by Qt Charts alone.
// A bare chart of the same lines (with bands: per measure the 3rd, 50th and 97th lines and the
// area between the outer two, of bandPoints points each, and a dot series of the measured days),
// made once; each fill gives every series its points again and refills two lists with the
// days' lines.
struct BareChart {
    explicit BareChart(int bandPoints)
    {
        GrowthSeries growth;
        DiaryTable diary;
        diary.days() = capacityDays();
        buildGrowth(diary, growth);
        for (int i = 1; i <= growth.count; ++i) {
            heights.append(QPointF(i, growth.height[i]));
            weights.append(QPointF(i, growth.weight[i]));
        }
        series = growth;
        auto *chart = new QChart;
        for (const QList<QPointF> *points : {&heights, &weights}) {
            auto add = [&](QXYSeries *xy, const QList<QPointF> &data) {
                chart->addSeries(xy);
                xy->replace(data);
                filled.append({xy, data});
            };
            add(new QLineSeries, *points);
            if (bandPoints == 0)
                continue;
            const QList<QPointF> band = points->mid(0, bandPoints);
            auto *p3 = new QLineSeries, *p97 = new QLineSeries;
            chart->addSeries(new QAreaSeries(p97, p3));
            filled.append({p3, band});
            filled.append({p97, band});
            add(new QLineSeries, band);
            add(new QScatterSeries, *points);
        }
        chart->createDefaultAxes();
        view.setChart(chart);
        view.resize(640, 420);
    }
    void fill()
    {
        for (auto &[xy, points] : filled)
            xy->replace(points);
        QStringList weightLines, heightLines;
        for (int i = 1; i <= series.count; ++i) {
            weightLines.append(QStringLiteral("%1 _ %2g").arg(series.date[i]).arg(series.weight[i]));
            heightLines.append(QStringLiteral("%1 _ %2cm").arg(series.date[i]).arg(series.height[i]));
        }
        weightList.clear();
        weightList.addItems(weightLines);
        heightList.clear();
        heightList.addItems(heightLines);
    }
    QList<QPointF> heights, weights;
    GrowthSeries series;
    QList<std::pair<QXYSeries *, QList<QPointF>>> filled;
    QChartView view;
    QListWidget weightList, heightList;
};

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
}

// The same chart and lists the simplest way.
void GrowthPanelOpenFloor(benchmark::State &state)
{
    LoadedScreen &s = capacityScreen();
    chooseBands(s, state);
    s.click(QStringLiteral("cmdGraph"));
    const int bandPoints = state.range(0) ? int(s.screen.findChild<GrowthPanel *>()->bands()->weight().p3->count()) : 0;
    BareChart bare(bandPoints);
    for (auto _ : state)
        bare.fill();
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
}

// The same chart drawn the simplest way: the height and weight lines, a dot on every measured
// day (as many as the chart's), and with the bands the ten band lines of as many points as the
// chart's, as QPainter polylines and ellipses on an image of the chart's size; with its title,
// legend, two value axes and the day axis, their grid lines and as many labels as the chart's.
void GrowthChartPaintFloor(benchmark::State &state)
{
    LoadedScreen &s = capacityScreen();
    chooseBands(s, state);
    s.click(QStringLiteral("cmdGraph"));
    const QSize size = s.find<QChartView>(QStringLiteral("chrTaijyu"))->size();
    const GrowthSeries &series = s.notebook().growth;
    const GrowthBands *chartBands = s.screen.findChild<GrowthPanel *>()->bands();
    const int bandPoints = state.range(0) ? int(chartBands->weight().p3->count()) : 0;
    const int measured = int(chartBands->weight().measured->count() + chartBands->height().measured->count());
    const auto *dayAxis =
        qobject_cast<QCategoryAxis *>(s.screen.findChild<GrowthPanel *>()->chart()->axes(Qt::Horizontal).value(0));
    const int dayLabels = dayAxis ? int(dayAxis->count()) : 0;
    auto line = [&](const auto &values, double top) {
        QPolygonF p;
        for (int i = 1; i <= series.count; ++i)
            p.append(QPointF(40 + i * (size.width() - 60.0) / series.count, size.height() - 30 - values[i] * top));
        return p;
    };
    const QPolygonF height = line(series.height, 0.004), weight = line(series.weight, 0.00004);
    QList<QPolygonF> bands;
    for (int b = 0; b < 10 * (bandPoints > 0); ++b) {
        QPolygonF p;
        for (int i = 0; i < bandPoints; ++i)
            p.append(QPointF(40 + i * (size.width() - 60.0) / bandPoints, 20 + b * 20 + (i % 7)));
        bands.append(p);
    }
    for (auto _ : state) {
        QImage image(size, QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::white);
        QPainter painter(&image);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.drawText(QRect(0, 0, size.width(), 20), Qt::AlignCenter, QStringLiteral("身長・体重グラフ"));
        painter.drawText(QRect(0, 20, size.width(), 20), Qt::AlignCenter, QStringLiteral("体重 (g)　身長 (cm)"));
        for (int t = 0; t <= 6; ++t) {
            const int y = 40 + t * (size.height() - 70) / 6;
            painter.drawLine(40, y, size.width() - 40, y);
            painter.drawText(QRect(0, y - 8, 38, 16), Qt::AlignRight, QString::number(14000 - t * 2000));
            painter.drawText(QRect(size.width() - 38, y - 8, 38, 16), Qt::AlignLeft, QString::number(100 - t * 10));
        }
        for (int t = 0; t < dayLabels; ++t) {
            const int x = 40 + t * (size.width() - 80) / std::max(1, dayLabels);
            painter.drawLine(x, 40, x, size.height() - 30);
            painter.drawText(QRect(x - 30, size.height() - 28, 60, 14), Qt::AlignCenter, QStringLiteral("1歳%1か月").arg(t % 12));
        }
        painter.drawText(QRect(0, size.height() - 14, size.width(), 14), Qt::AlignCenter, QStringLiteral("生後（2024/01/01 から）"));
        for (const QPolygonF &b : bands)
            painter.drawPolyline(b);
        painter.setPen(QPen(Qt::blue, 2));
        painter.drawPolyline(height);
        painter.setPen(QPen(Qt::red, 2));
        painter.drawPolyline(weight);
        for (int m = 0; m < measured; ++m) {
            const QPointF &at = (m % 2 ? height : weight)[(m / 2) % series.count];
            painter.drawEllipse(at, 3, 3);
        }
        benchmark::DoNotOptimize(image.bits());
    }
}

double residentMib() { return residentKib() / 1024.0; }

// The resident memory of the full notebook's screen after its load, after every panel and the
// recipe screen were opened once, and what the second half of 100 page turns and 20 panel
// switches adds (a leak check: nothing).
void MemoryInUse(benchmark::State &state)
{
    LoadedScreen &s = capacityScreen();
    const QStringList panels = {QStringLiteral("cmdList"), QStringLiteral("cmdGraph"), QStringLiteral("cmdYotei"),
                                QStringLiteral("cmdItadaki"), QStringLiteral("cmdPhoto"), QStringLiteral("cmdDiary")};
    auto *bar = s.find<QScrollBar>(QStringLiteral("hsbDay"));
    auto use = [&](int turns, int switches) {
        for (int i = 0; i < turns; ++i)
            bar->setValue(1 + bar->value() % bar->maximum());
        for (int i = 0; i < switches; ++i)
            s.click(panels[i % panels.size()]);
    };
    for (auto _ : state) {
        const double afterLoad = residentMib();
        for (const QString &panel : panels)
            s.click(panel);
        s.screen.recipeScreen();
        const double afterPanels = residentMib();
        use(50, 10);
        const double half = residentMib();
        use(50, 10);
        state.counters["rss_load_mib"] = afterLoad;
        state.counters["rss_panels_mib"] = afterPanels;
        state.counters["second_half_kib"] = (residentMib() - half) * 1024.0;
    }
}

// "一覧": the grid refilled with every day.
void ListPanelOpen(benchmark::State &state)
{
    LoadedScreen &s = capacityScreen();
    for (auto _ : state)
        s.click(QStringLiteral("cmdList"));
}

// The same cells formatted into a bare grid.
void ListPanelOpenFloor(benchmark::State &state)
{
    QTableWidget grid(0, 4);
    for (auto _ : state) {
        grid.clearContents();
        grid.setRowCount(int(capacityDays().size()));
        int r = 0;
        for (const DiaryDay &d : capacityDays()) {
            grid.setItem(r, 0, new QTableWidgetItem(d.date));
            grid.setItem(r, 1, new QTableWidgetItem(QString::number(d.height)));
            grid.setItem(r, 2, new QTableWidgetItem(QString::number(d.weight)));
            grid.setItem(r++, 3, new QTableWidgetItem(d.text.left(35)));
        }
    }
}

// 保存 on a changed day of a diary one day short of full, through the screen: the checks,
// the rewrite, the read back and the page shown again; in a folder of its own pictures only,
// or with 6,500 more photos beside them (the listing the picture lookup needs).
LoadedScreen &oneShortScreen(int photos) { return sharedScreen(DiaryCapacity - 1, photos); }

void ScreenSaveDay(benchmark::State &state)
{
    LoadedScreen &s = oneShortScreen(int(state.range(0)));
    auto *text = s.find<QPlainTextEdit>(QStringLiteral("txtDiary"));
    int n = 0;
    for (auto _ : state) {
        text->setPlainText(QStringLiteral("書き換え %1").arg(++n));
        s.click(QStringLiteral("cmdTouroku"));
    }
    state.counters["days"] = s.notebook().diary.count();
}

// The same file's bytes saved, read and decoded again.
void ScreenSaveDayFloor(benchmark::State &state)
{
    const NotebookFolder &folder = oneShortScreen(int(state.range(0))).notebook().folder();
    const QString text = cp932::decode(folder.readAll(diaryFileName()));
    for (auto _ : state) {
        folder.save(diaryFileName(), cp932::encode(text).bytes);
        benchmark::DoNotOptimize(cp932::decode(folder.readAll(diaryFileName())).size());
    }
}

} // namespace

BENCHMARK(GrowthBuildFloor)->Unit(benchmark::kMillisecond);
BENCHMARK(GrowthBuild)->Unit(benchmark::kMillisecond);
BENCHMARK(SearchFloor)->Arg(0)->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond);
BENCHMARK(Search)->Arg(0)->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond);
BENCHMARK(GrowthPanelOpenFloor)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);
BENCHMARK(GrowthPanelOpen)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);
BENCHMARK(GrowthChartPaintFloor)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);
BENCHMARK(GrowthChartPaint)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);
BENCHMARK(ListPanelOpenFloor)->Unit(benchmark::kMillisecond);
BENCHMARK(ListPanelOpen)->Unit(benchmark::kMillisecond);
BENCHMARK(MemoryInUse)->Iterations(1)->Unit(benchmark::kMillisecond);
BENCHMARK(ScreenSaveDayFloor)->ArgName("photos")->Arg(0)->Arg(6500)->Unit(benchmark::kMillisecond);
BENCHMARK(ScreenSaveDay)->ArgName("photos")->Arg(0)->Arg(6500)->Unit(benchmark::kMillisecond);

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const int status = runBenchmarks(argc, argv);
    sharedScreens().clear();
    return status;
}
